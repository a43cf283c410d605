// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowing/EventTimes.h"

#include <QTest>

#include <cstdint>
#include <vector>

// The window system's event stamps (milliseconds on its own clock, 32 bits) put on the
// program's monotonic clock, from events handled at known moments.

namespace {

struct Seen {
    std::uint32_t stampMs;
    double handledAt;   // the monotonic clock when the event was handled
    double moment;      // the event's moment, worked out by hand
};

} // namespace

Q_DECLARE_METATYPE(std::vector<Seen>)

class TestEventTimes : public QObject {
    Q_OBJECT

private slots:
    void momentsOfStamps_data();
    void momentsOfStamps();
};

void TestEventTimes::momentsOfStamps_data()
{
    QTest::addColumn<std::vector<Seen>>("events");

    QTest::newRow("the first event sets the offset") << std::vector<Seen>{{1000, 5.010, 5.010}};
    QTest::newRow("a less delayed event lowers it")
        << std::vector<Seen>{{1000, 5.010, 5.010}, {2000, 6.002, 6.002}, {3000, 7.050, 7.002}};
    QTest::newRow("a more delayed event keeps it")
        << std::vector<Seen>{{1000, 5.002, 5.002}, {2000, 6.030, 6.002}, {2500, 6.502, 6.502}};
    QTest::newRow("the counter wraps") << std::vector<Seen>{{4294967000u, 100.0, 100.0}, {704, 101.005, 101.0}};
    QTest::newRow("an older stamp seen again")
        << std::vector<Seen>{{5000, 10.0, 10.0}, {4990, 10.001, 9.990}};
    QTest::newRow("a clock that jumped is learnt afresh")
        << std::vector<Seen>{{1000, 5.0, 5.0}, {2000, 8.5, 8.5}, {3000, 9.52, 9.5}};
}

void TestEventTimes::momentsOfStamps()
{
    QFETCH(std::vector<Seen>, events);
    EventTimeMapping mapping;
    for (const Seen &e : events)
        QCOMPARE(mapping.observe(e.stampMs, e.handledAt), e.moment);
}

QTEST_GUILESS_MAIN(TestEventTimes)
#include "tst_eventtimes.moc"
