#include <SFGUI/Signal.hpp>

#include <algorithm>

namespace sfg {

namespace {
unsigned int g_next_serial = 1;
Signal::SignalID g_next_signal_id = 1;
}

Signal::Signal() :
	m_state(std::make_shared<State>()) {
}

Signal::Signal(Signal&&) noexcept = default;
Signal& Signal::operator=(Signal&&) noexcept = default;
Signal::~Signal() = default;

unsigned int Signal::Connect(std::function<void()> delegate) {
	if(!m_state) {
		m_state = std::make_shared<State>();
	}
	const unsigned int serial = g_next_serial++;
	m_state->slots.push_back(Slot{serial, std::make_shared<Delegate>(std::move(delegate))});
	return serial;
}

void Signal::Disconnect(unsigned int serial) {
	if(!m_state) {
		return;
	}
	auto& slots = m_state->slots;
	slots.erase(
		std::remove_if(slots.begin(), slots.end(), [serial](const Slot& slot) { return slot.serial == serial; }),
		slots.end());
}

void Signal::operator()() const {
	if(!m_state || m_state->slots.empty()) {
		return;
	}
	// Work on a snapshot: handlers may connect, disconnect or even destroy
	// the signal's owner. The state is shared so it outlives the owner.
	const std::shared_ptr<State> state = m_state;
	const std::vector<Slot> snapshot = state->slots;
	for(const auto& slot : snapshot) {
		const bool connected = std::any_of(state->slots.begin(), state->slots.end(),
										   [&slot](const Slot& other) { return other.serial == slot.serial; });
		if(connected && slot.delegate && *slot.delegate) {
			// Keep the delegate alive even if it disconnects itself.
			const std::shared_ptr<Delegate> delegate = slot.delegate;
			(*delegate)();
		}
	}
}

std::size_t Signal::GetHandlerCount() const {
	return m_state ? m_state->slots.size() : 0;
}

Signal::SignalID Signal::AllocateID() {
	return g_next_signal_id++;
}

}
