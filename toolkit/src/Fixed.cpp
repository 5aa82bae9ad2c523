#include <SFGUI/Fixed.hpp>

#include <algorithm>

namespace sfg {

Fixed::Ptr Fixed::Create() {
	return priv::MakeShared<Fixed>();
}

const std::string& Fixed::GetName() const {
	static const std::string name("Fixed");
	return name;
}

void Fixed::Put(Widget::Ptr widget, const sf::Vector2f& position) {
	PackInfo info;
	info.position = position;
	AddWithInfo(widget, info);
}

void Fixed::Move(Widget::Ptr widget, const sf::Vector2f& position) {
	if(!IsChild(widget)) {
		return;
	}
	GetPackInfo(*widget).position = position;
	RequestResize();
}

sf::Vector2f Fixed::CalculateRequisition() const {
	sf::Vector2f size;
	for(std::size_t i = 0; i < GetSlotCount(); ++i) {
		const Widget* child = GetSlot(i);
		if(!child || !child->IsLocallyVisible()) {
			continue;
		}
		const sf::Vector2f& requisition = child->GetRequisition();
		const sf::Vector2f& position = GetPackInfoAt(i).position;
		size.x = std::max(size.x, position.x + requisition.x);
		size.y = std::max(size.y, position.y + requisition.y);
	}
	return size;
}

void Fixed::AllocateChildren() const {
	for(std::size_t i = 0; i < GetSlotCount(); ++i) {
		Widget* child = GetSlot(i);
		if(!child || !child->IsLocallyVisible()) {
			continue;
		}
		const sf::Vector2f& requisition = child->GetRequisition();
		const sf::Vector2f& position = GetPackInfoAt(i).position;
		child->SetAllocation(sf::FloatRect(position, requisition));
	}
}

}
