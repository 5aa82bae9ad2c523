#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace sfg {

// A list of handlers run in connection order when the signal is emitted.
// Connecting or disconnecting (even the running handler) while the signal is
// being emitted is safe: a handler disconnected before it is reached does not
// run, one connected during emission runs from the next emission on.
class Signal {
public:
	// Identifies a kind of signal, e.g. sfg::Widget::OnLeftClick.
	typedef unsigned int SignalID;
	typedef std::function<void()> Delegate;

	Signal();
	Signal(const Signal&) = delete;
	Signal& operator=(const Signal&) = delete;
	Signal(Signal&&) noexcept;
	Signal& operator=(Signal&&) noexcept;
	~Signal();

	// Adds a handler. Returns its connection id (never 0, unique per process).
	unsigned int Connect(std::function<void()> delegate);

	// Removes the handler with this id; unknown ids are ignored.
	void Disconnect(unsigned int serial);

	// Runs every connected handler, in connection order.
	void operator()() const;

	// Number of connected handlers.
	std::size_t GetHandlerCount() const;

	// A fresh, process-wide unique id for a new kind of signal.
	static SignalID AllocateID();

private:
	struct Slot {
		unsigned int serial;
		std::shared_ptr<Delegate> delegate;
	};
	struct State {
		std::vector<Slot> slots;
	};

	// Shared so that an emission in progress survives the signal's owner.
	std::shared_ptr<State> m_state;
};

}
