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
	ForEachShownChild([&size](const Widget& child, const PackInfo& info) {
		const sf::Vector2f& requisition = child.GetRequisition();
		const sf::Vector2f& position = info.position;
		size.x = std::max(size.x, position.x + requisition.x);
		size.y = std::max(size.y, position.y + requisition.y);
	});
	return size;
}

void Fixed::AllocateChildren() const {
	ForEachShownChild([](Widget& child, const PackInfo& info) {
		const sf::Vector2f& requisition = child.GetRequisition();
		const sf::Vector2f& position = info.position;
		child.SetAllocation(sf::FloatRect(position, requisition));
	});
}

}
