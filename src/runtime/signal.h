// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// One way to hear about changes, without a toolkit: a Signal calls the slots
// connected to it, in the order they were connected, with the notice's
// arguments. Each connection is a Connection object that its owner keeps as
// a member: it disconnects when it is destroyed, so a slot never outlives
// what it captured. Single-threaded, as the models are.
//
// During an emission a slot may disconnect itself or any other slot (one not
// yet called is then not called), connect new slots (called from the next
// emission on), emit the signal again, or destroy the signal (no further slot
// is called). A Connection that outlives its signal is inert.

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace qvd {

namespace detail {

class SignalCore {
public:
    virtual ~SignalCore() = default;
    // Removes the slots disconnected while the signal was emitting.
    virtual void removeDisconnected() = 0;

    int emitting = 0;          // emissions under way, nested ones included
    bool alive = true;         // false once the signal is destroyed
    bool disconnected = false; // a slot was disconnected during an emission
};

struct SlotLink {
    explicit SlotLink(SignalCore* signal)
        : core(signal)
    {
    }
    SignalCore* core; // valid while the link is: the core owns its links
    bool connected = true;
};

} // namespace detail

// A connection to one slot, ended when this object is destroyed, moved over
// or disconnected. Default-constructed, it holds none.
class Connection {
public:
    Connection() = default;
    explicit Connection(std::weak_ptr<detail::SlotLink> link)
        : m_link(std::move(link))
    {
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Connection(Connection&& other) noexcept
        : m_link(std::exchange(other.m_link, {}))
    {
    }
    Connection& operator=(Connection&& other) noexcept
    {
        if (this != &other) {
            disconnect();
            m_link = std::exchange(other.m_link, {});
        }
        return *this;
    }
    ~Connection() { disconnect(); }

    // The slot is not called again. Nothing happens when the connection has
    // ended already or the signal is gone.
    void disconnect()
    {
        const std::shared_ptr<detail::SlotLink> link = std::exchange(m_link, {}).lock();
        if (!link || !link->connected)
            return;
        link->connected = false;
        detail::SignalCore* core = link->core;
        if (core->emitting > 0)
            core->disconnected = true; // removed when the emission ends
        else
            core->removeDisconnected();
    }
    [[nodiscard]] bool isConnected() const
    {
        const std::shared_ptr<detail::SlotLink> link = m_link.lock();
        return link && link->connected;
    }

private:
    std::weak_ptr<detail::SlotLink> m_link;
};

template <typename... Args> class Signal {
public:
    using Slot = std::function<void(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    // The connections move with the signal.
    Signal(Signal&& other) noexcept
        : m_core(std::exchange(other.m_core, {}))
    {
    }
    Signal& operator=(Signal&& other) noexcept
    {
        if (this != &other) {
            release();
            m_core = std::exchange(other.m_core, {});
        }
        return *this;
    }
    ~Signal() { release(); }

    // Calls `slot` at each emission from now on, until the connection ends.
    [[nodiscard]] Connection connect(Slot slot)
    {
        if (!m_core)
            m_core = std::make_shared<Core>();
        auto link = std::make_shared<Link>(m_core.get(), std::move(slot));
        m_core->links.push_back(link);
        return Connection(link);
    }

    // Calls every slot connected now and not disconnected before its turn.
    // An exception from a slot passes through; the slots after it are not
    // called.
    void notify(Args... args) const
    {
        if (!m_core || m_core->links.empty())
            return;
        // Held here so that a slot may destroy the signal.
        const std::shared_ptr<Core> core = m_core;
        const Emission emission(*core);
        const std::size_t count = core->links.size();
        for (std::size_t i = 0; i < count && core->alive; ++i) {
            // The link stays where it is: nothing is removed while emitting.
            Link& link = *core->links[i];
            if (link.connected)
                link.slot(args...);
        }
    }

    // The slots connected now.
    [[nodiscard]] std::size_t size() const
    {
        if (!m_core)
            return 0;
        std::size_t connected = 0;
        for (const auto& link : m_core->links)
            connected += link->connected ? 1 : 0;
        return connected;
    }

private:
    struct Link : detail::SlotLink {
        Link(detail::SignalCore* core, Slot function)
            : SlotLink(core)
            , slot(std::move(function))
        {
        }
        Slot slot;
    };

    struct Core : detail::SignalCore {
        void removeDisconnected() override
        {
            disconnected = false;
            std::erase_if(links, [](const std::shared_ptr<Link>& link) { return !link->connected; });
        }
        std::vector<std::shared_ptr<Link>> links;
    };

    // Counts an emission under way; at the end of the outermost one, removes
    // what was disconnected during it.
    class Emission {
    public:
        explicit Emission(Core& core)
            : m_core(core)
        {
            ++m_core.emitting;
        }
        Emission(const Emission&) = delete;
        Emission& operator=(const Emission&) = delete;
        ~Emission()
        {
            if (--m_core.emitting == 0 && m_core.disconnected)
                m_core.removeDisconnected();
        }

    private:
        Core& m_core;
    };

    void release()
    {
        if (m_core)
            std::exchange(m_core, {})->alive = false;
    }

    std::shared_ptr<Core> m_core;
};

} // namespace qvd
