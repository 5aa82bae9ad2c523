#include "priv/Dispatch.hpp"

#include <utility>
#include <vector>

namespace sfg {
namespace priv {

namespace {

struct Pending {
	Widget::PtrConst widget;
	Signal::SignalID id;
};

int g_depth = 0;
std::vector<Pending> g_queue;

}

Dispatch::Scope::Scope() {
	++g_depth;
}

Dispatch::Scope::~Scope() {
	if(--g_depth == 0) {
		Flush();
	}
}

void Dispatch::Emit(const Widget& widget, Signal::SignalID id) {
	if(!widget.m_signals) {
		return;
	}
	auto found = widget.m_signals->find(id);
	if(found == widget.m_signals->end() || found->second.GetHandlerCount() == 0) {
		return;
	}
	Widget::PtrConst keep_alive = widget.weak_from_this().lock();
	if(g_depth > 0 && keep_alive) {
		g_queue.push_back(Pending{std::move(keep_alive), id});
		return;
	}
	found->second();
}

void Dispatch::Flush() {
	// Handlers run outside any scope, so what they emit runs at once; the
	// queue itself only grows again if a handler routes a new event.
	while(!g_queue.empty()) {
		std::vector<Pending> batch;
		batch.swap(g_queue);
		for(auto& pending : batch) {
			auto found = pending.widget->m_signals->find(pending.id);
			if(found != pending.widget->m_signals->end()) {
				found->second();
			}
		}
	}
}

}
}
