// SPDX-License-Identifier: GPL-3.0-or-later
// Waiting for an export job the window started: whether it ended well, and what it said. It
// starts no job itself.
#pragma once

#include "teacher/export_job.h"

#include <QSignalSpy>

struct JobEnd {
    bool Ok = false;
    QString Message;
};

// A job that was not started, or that does not end within the time, ends badly.
inline JobEnd WaitFor(teacher::ExportJob* job, int timeoutMs = 60000)
{
    if (job == nullptr) {
        return {false, QStringLiteral("(no job)")};
    }
    QSignalSpy finished(job, &teacher::ExportJob::Finished);
    if (!finished.wait(timeoutMs)) {
        return {false, QStringLiteral("(the job did not end)")};
    }
    return {finished.at(0).at(0).toBool(), finished.at(0).at(1).toString()};
}
