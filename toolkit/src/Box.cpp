#include <SFGUI/Box.hpp>

#include "priv/SfmlCompat.hpp"

#include <algorithm>
#include <cmath>

namespace sfg {

Box::Ptr Box::Create(Orientation orientation, float spacing) {
	return priv::MakeShared<Box>(orientation, spacing);
}

Box::Box(Orientation orientation, float spacing) :
	m_orientation(orientation),
	m_spacing(std::max(0.f, spacing)) {
}

const std::string& Box::GetName() const {
	static const std::string name("Box");
	return name;
}

void Box::Pack(Widget::Ptr widget, bool expand, bool fill) {
	PackInfo info;
	info.expand = expand;
	info.fill = fill;
	AddWithInfo(widget, info);
}

void Box::SetSpacing(float spacing) {
	m_spacing = std::max(0.f, spacing);
	RequestResize();
}

float Box::GetSpacing() const {
	return m_spacing;
}

Box::Orientation Box::GetOrientation() const {
	return m_orientation;
}

sf::Vector2f Box::CalculateRequisition() const {
	const bool horizontal = m_orientation == Orientation::HORIZONTAL;
	float along = 0.f;
	float across = 0.f;
	std::size_t count = 0;
	ForEachShownChild([&](const Widget& child, const PackInfo&) {
		const sf::Vector2f& requisition = child.GetRequisition();
		along += horizontal ? requisition.x : requisition.y;
		across = std::max(across, horizontal ? requisition.y : requisition.x);
		++count;
	});
	if(count > 1) {
		along += m_spacing * static_cast<float>(count - 1);
	}
	return horizontal ? sf::Vector2f(along, across) : sf::Vector2f(across, along);
}

void Box::AllocateChildren() const {
	const bool horizontal = m_orientation == Orientation::HORIZONTAL;
	const sf::Vector2f allocated = priv::Size(CurrentAllocation());
	const float along_size = horizontal ? allocated.x : allocated.y;
	const float across_size = horizontal ? allocated.y : allocated.x;
	float total = 0.f;
	std::size_t count = 0;
	std::size_t expanding = 0;
	ForEachShownChild([&](const Widget& child, const PackInfo& info) {
		const sf::Vector2f& requisition = child.GetRequisition();
		total += horizontal ? requisition.x : requisition.y;
		++count;
		if(info.expand) {
			++expanding;
		}
	});
	if(count > 1) {
		total += m_spacing * static_cast<float>(count - 1);
	}
	const float extra = std::max(0.f, along_size - total);
	const float share = expanding ? extra / static_cast<float>(expanding) : 0.f;
	float position = 0.f;
	ForEachShownChild([&](Widget& child, const PackInfo& info) {
		const sf::Vector2f& requisition = child.GetRequisition();
		const float own = horizontal ? requisition.x : requisition.y;
		const float slot = own + (info.expand ? share : 0.f);
		const float size = (info.expand && !info.fill) ? own : slot;
		const float start = std::round(position);
		const float end = std::round(position + size);
		if(horizontal) {
			child.SetAllocation(sf::FloatRect({start, 0.f}, {end - start, across_size}));
		}
		else {
			child.SetAllocation(sf::FloatRect({0.f, start}, {across_size, end - start}));
		}
		position += slot + m_spacing;
	});
}

}
