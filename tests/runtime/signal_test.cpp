// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The signal's lifetimes: what each slot hears when connections end, move or
// begin during an emission, when the signal goes first, and when a slot
// throws. The sanitizer preset runs these too: a slot called after its
// connection ended, or a link read after its signal went, shows there.

#include "runtime/signal.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace qvd {
namespace {

// One signal with three slots A, B and C, each writing its letter and the
// notice's number into the log, then doing what the case asks of it.
struct World {
    std::optional<Signal<int>> signal{std::in_place};
    Connection a, b, c, extra;
    std::string log;
    std::function<void(World&, char slot, int notice)> during = [](World&, char, int) {};

    Connection slot(char name)
    {
        return signal->connect([this, name](int notice) {
            log += name + std::to_string(notice) + ' ';
            during(*this, name, notice);
        });
    }
    void emit(int notice)
    {
        if (signal)
            signal->notify(notice);
        log += "| ";
    }
};

struct LifetimeCase {
    const char* name;
    std::function<void(World&)> before;            // after A, B, C connect
    std::function<void(World&, char, int)> during; // in each slot, after it logs
    const char* heard;                             // the log after notices 1 and 2
};

const LifetimeCase kLifetimes[] = {
    {"all connected", [](World&) {}, [](World&, char, int) {}, "A1 B1 C1 | A2 B2 C2 | "},
    {"connection destroyed before", [](World& w) { w.b = Connection(); }, [](World&, char, int) {}, "A1 C1 | A2 C2 | "},
    {"slot disconnects itself", [](World&) {},
        [](World& w, char slot, int) {
            if (slot == 'B')
                w.b.disconnect();
        },
        "A1 B1 C1 | A2 C2 | "},
    {"slot disconnects one still to come", [](World&) {},
        [](World& w, char slot, int) {
            if (slot == 'A')
                w.c.disconnect();
        },
        "A1 B1 | A2 B2 | "},
    {"slot disconnects one already called", [](World&) {},
        [](World& w, char slot, int) {
            if (slot == 'C')
                w.a.disconnect();
        },
        "A1 B1 C1 | B2 C2 | "},
    {"slot connects another: heard from the next notice", [](World&) {},
        [](World& w, char slot, int notice) {
            if (slot == 'A' && notice == 1)
                w.extra = w.slot('D');
        },
        "A1 B1 C1 | A2 B2 C2 D2 | "},
    // Fault: a slot that freed the signal while it was emitting.
    {"slot destroys the signal: no slot after it", [](World&) {},
        [](World& w, char slot, int) {
            if (slot == 'B')
                w.signal.reset();
        },
        "A1 B1 | | "},
    {"nested notice, B disconnected inside it", [](World&) {},
        [](World& w, char slot, int notice) {
            if (slot == 'A' && notice == 1)
                w.signal->notify(7);
            if (slot == 'B' && notice == 7)
                w.b.disconnect();
        },
        "A1 A7 B7 C7 C1 | A2 C2 | "},
    {"connection moved keeps its slot", [](World& w) { w.extra = std::move(w.b); }, [](World&, char, int) {},
        "A1 B1 C1 | A2 B2 C2 | "},
    {"connection moved over another ends that one", [](World& w) { w.a = std::move(w.b); }, [](World&, char, int) {},
        "B1 C1 | B2 C2 | "},
    {"signal moved takes its connections",
        [](World& w) {
            Signal<int> moved(std::move(*w.signal));
            w.signal.emplace(std::move(moved));
        },
        [](World&, char, int) {}, "A1 B1 C1 | A2 B2 C2 | "},
};

TEST(Signal, LifetimeOfConnections)
{
    for (const LifetimeCase& c : kLifetimes) {
        World world;
        world.a = world.slot('A');
        world.b = world.slot('B');
        world.c = world.slot('C');
        c.before(world);
        world.during = c.during;
        world.emit(1);
        world.emit(2);
        EXPECT_EQ(world.log, c.heard) << c.name;
    }
}

TEST(Signal, ConnectionOutlivingItsSignalIsInert)
{
    Connection kept;
    {
        Signal<> signal;
        kept = signal.connect([] { FAIL() << "the signal is gone"; });
        EXPECT_TRUE(kept.isConnected());
    }
    EXPECT_FALSE(kept.isConnected());
    kept.disconnect();
    Signal<> moved;
    Connection fromMoved = moved.connect([] {});
    Signal<> taker(std::move(moved));
    EXPECT_EQ(taker.size(), 1u);
    fromMoved.disconnect();
    EXPECT_EQ(taker.size(), 0u);
    moved.notify(); // a moved-from signal has no slots and may be used again
    int heard = 0;
    const Connection again = moved.connect([&heard] { ++heard; });
    moved.notify();
    EXPECT_EQ(heard, 1);
}

// Fault: an exception from a slot left the signal counting an emission under
// way, so that every later disconnection only marked its slot.
TEST(Signal, SlotThrowingEndsTheEmissionCleanly)
{
    Signal<int> signal;
    std::string heard;
    Connection first = signal.connect([&heard](int n) { heard += "a" + std::to_string(n); });
    Connection thrower;
    thrower = signal.connect([&](int n) {
        heard += "b" + std::to_string(n);
        thrower.disconnect();
        throw std::runtime_error("stop");
    });
    const Connection last = signal.connect([&heard](int n) { heard += "c" + std::to_string(n); });
    EXPECT_THROW(signal.notify(1), std::runtime_error);
    EXPECT_EQ(signal.size(), 2u);
    first.disconnect();
    EXPECT_EQ(signal.size(), 1u);
    signal.notify(2);
    EXPECT_EQ(heard, "a1b1c2");
}

} // namespace
} // namespace qvd
