#pragma once

#include <SFGUI/Signal.hpp>
#include <SFGUI/Widget.hpp>

namespace sfg {
namespace priv {

// Signals raised while an event is being routed are queued together with a
// shared reference to their widget and run once routing has finished, so
// handlers never run while the toolkit walks its own lists, and a widget
// removed by a handler stays alive until every queued signal has run.
class Dispatch {
public:
	// While a scope exists, emissions are queued; the outermost scope's end
	// runs the queue.
	class Scope {
	public:
		Scope();
		~Scope();
		Scope(const Scope&) = delete;
		Scope& operator=(const Scope&) = delete;
	};

	// Queues (inside a scope) or runs the widget's signal, if it has handlers.
	static void Emit(const Widget& widget, Signal::SignalID id);

private:
	static void Flush();
};

}
}
