#include <SFGUI/Container.hpp>

namespace sfg {

Container::~Container() {
	for(const auto& child : m_children) {
		if(child) {
			child->m_parent = nullptr;
		}
	}
}

void Container::Add(Widget::Ptr widget) {
	AddWithInfo(widget, PackInfo());
}

void Container::AddWithInfo(const Widget::Ptr& widget, const PackInfo& info) {
	if(!widget) {
		return;
	}
	if(widget->m_parent == this) {
		GetPackInfo(*widget) = info;
		MarkRequisitionDirty();
		return;
	}
	if(!AcceptsChild()) {
		return;
	}
	// A widget cannot contain one of its own ancestors.
	for(const Widget* ancestor = this; ancestor; ancestor = ancestor->m_parent) {
		if(ancestor == widget.get()) {
			return;
		}
	}
	const Widget::Ptr keep_alive = widget;
	if(widget->m_parent) {
		widget->m_parent->Remove(widget);
	}
	widget->m_parent = this;
	widget->m_child_index = static_cast<std::uint32_t>(m_children.size());
	m_children.push_back(widget);
	m_pack.push_back(info);
	// Its look may depend on its new ancestors.
	widget->InvalidateStyle();
	HandleAdd(widget);
}

void Container::Remove(Widget::Ptr widget) {
	if(!widget || widget->m_parent != this) {
		return;
	}
	std::size_t index = widget->m_child_index;
	if(index >= m_children.size() || m_children[index] != widget) {
		for(index = 0; index < m_children.size() && m_children[index] != widget; ++index) {
		}
		if(index == m_children.size()) {
			return;
		}
	}
	// Leave a hole rather than shifting the rest: removing every child one
	// by one stays linear.
	m_children[index] = nullptr;
	++m_holes;
	widget->m_parent = nullptr;
	widget->ResetInteraction();
	MarkRequisitionDirty();
	HandleRemove(widget);
	if(m_holes > 16 && m_holes * 2 > m_children.size()) {
		Compact();
	}
}

void Container::RemoveAll() {
	WidgetsList removed;
	removed.swap(m_children);
	m_pack.clear();
	m_holes = 0;
	for(const auto& child : removed) {
		if(child) {
			child->m_parent = nullptr;
			child->ResetInteraction();
		}
	}
	MarkRequisitionDirty();
	for(const auto& child : removed) {
		if(child) {
			HandleRemove(child);
		}
	}
}

bool Container::IsChild(Widget::Ptr widget) const {
	return widget && widget->m_parent == this;
}

const Container::WidgetsList& Container::GetChildren() const {
	if(m_holes) {
		Compact();
	}
	return m_children;
}

Container::PackInfo& Container::GetPackInfo(const Widget& child) {
	return m_pack[child.m_child_index];
}

std::size_t Container::GetSlotCount() const {
	return m_children.size();
}

Widget* Container::GetSlot(std::size_t index) const {
	return m_children[index].get();
}

std::size_t Container::GetChildCount() const {
	return m_children.size() - m_holes;
}

bool Container::AcceptsChild() const {
	return true;
}

void Container::HandleAdd(const Widget::Ptr&) {
}

void Container::HandleRemove(const Widget::Ptr&) {
}

void Container::Compact() const {
	std::size_t out = 0;
	for(std::size_t in = 0; in < m_children.size(); ++in) {
		if(!m_children[in]) {
			continue;
		}
		if(out != in) {
			m_children[out] = std::move(m_children[in]);
			m_pack[out] = m_pack[in];
		}
		m_children[out]->m_child_index = static_cast<std::uint32_t>(out);
		++out;
	}
	m_children.resize(out);
	m_pack.resize(out);
	m_holes = 0;
}

const std::vector<Widget::Ptr>* Container::GetChildList() const {
	return &m_children;
}

}
