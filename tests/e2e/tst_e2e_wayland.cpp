// SPDX-License-Identifier: GPL-3.0-or-later
// The real executable in a Wayland session (weston with XWayland, the Qt Wayland plugin
// installed, QT_QPA_PLATFORM unset): it runs on its X11 platform, through XWayland, and
// asks for the place and size it has on a plain X server.
#include "e2eSupport.h"

#include <QTest>

class TestE2eWayland : public QObject {
    Q_OBJECT

private slots:
    void runsOnX11ThroughXWayland();
};

void TestE2eWayland::runsOnX11ThroughXWayland()
{
    QVERIFY(!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
    QCOMPARE(qgetenv("XDG_SESSION_TYPE"), QByteArray("wayland"));
    QVERIFY(!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));

    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(VELANTRA_EXECUTABLE), {});
    QVERIFY(program.waitForStarted());
    const auto stop = qScopeGuard([&] {
        program.kill();
        program.waitForFinished();
    });

    // A window of the program on XWayland: a native Wayland client would have none.
    const unsigned long id = e2e::windowNamed(QStringLiteral("Tovarin Parlendo"));
    QVERIFY(id != 0);
    const e2e::Result pid = e2e::run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(id), QStringLiteral("_NET_WM_PID")});
    QCOMPARE(pid.out.trimmed(), QStringLiteral("_NET_WM_PID(CARDINAL) = %1").arg(program.processId()));

    // Whole, at the size it has on Xvfb, and asking for the top left corner as there. The
    // compositor's shell chooses where a top-level window finally stands.
    QTRY_COMPARE(e2e::xwininfo(id).geometry.size(), QSize(1280, 800));
    const e2e::Result hints = e2e::run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(id), QStringLiteral("WM_NORMAL_HINTS")});
    QVERIFY2(hints.out.contains(QLatin1String("user specified location: 0, 0")), qPrintable(hints.out));
    QVERIFY2(hints.out.contains(QLatin1String("user specified size: 1280 by 800")), qPrintable(hints.out));
    QCOMPARE(program.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestE2eWayland)
#include "tst_e2e_wayland.moc"
