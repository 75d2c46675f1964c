// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's tests check file rights, which root does not feel: a test program started as
// root drops to `nobody` before it does anything, so a read-only file really cannot be written.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <grp.h>
#include <unistd.h>

namespace journal_test {

inline void DropRootRights()
{
    if (geteuid() != 0) {
        return;
    }
    constexpr uid_t kNobody = 65534;
    constexpr gid_t kNoGroup = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(kNoGroup) != 0 || setuid(kNobody) != 0) {
        std::perror("dropping root rights");
        std::exit(2);
    }
    // The test's own files go where nobody may write.
    setenv("TMPDIR", "/tmp", 1);
    setenv("HOME", "/tmp", 1);
}

} // namespace journal_test

// QTEST_GUILESS_MAIN that first gives up root.
#define JOURNAL_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        journal_test::DropRootRights();                                                            \
        QCoreApplication app(argc, argv);                                                          \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
