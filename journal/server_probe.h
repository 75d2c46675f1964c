// SPDX-License-Identifier: GPL-3.0-or-later
// Whether anything accepts a connection at the journal server's address, found out with a plain
// TCP socket before PostgreSQL's client library is loaded. A pupil's computer whose server is
// switched off or out of reach then never loads that library (with OpenSSL, GnuTLS, Kerberos
// and SASL, several megabytes) just to learn that nobody answers.
//
// ProbeServer   resolves the name and tries each address within the time given
//
// It sends nothing over a connection it makes and closes it at once; it says nothing of whether
// the server is PostgreSQL or would let the user in (the client library finds that out).
#pragma once

#include <QString>

#include <chrono>

namespace journal {

enum class ServerReach {
    Answers,     // an address accepted the connection
    Silent,      // every address refused it, or none answered in time
    UnknownHost, // the name does not resolve
    CannotTell,  // the resolver failed for another reason (the client library is left to try)
};

ServerReach ProbeServer(const QString& host, int port, std::chrono::milliseconds timeout);

} // namespace journal
