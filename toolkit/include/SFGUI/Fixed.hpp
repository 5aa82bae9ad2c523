#pragma once

#include <SFGUI/Container.hpp>

namespace sfg {

// Places each child at a fixed position (pixels from its own top-left) with
// the child's requisition as its size, kept current when the child changes.
// Requisition: the union of the visible children's rectangles and (0, 0).
class Fixed : public Container {
public:
	typedef SharedPtr<Fixed> Ptr;
	typedef SharedPtr<const Fixed> PtrConst;

	static Ptr Create();

	const std::string& GetName() const override;

	// Adds a child at `position` (Add(widget) puts it at (0, 0)).
	void Put(Widget::Ptr widget, const sf::Vector2f& position);
	// Moves a child; ignored for widgets that are not children.
	void Move(Widget::Ptr widget, const sf::Vector2f& position);

protected:
	Fixed() = default;
	sf::Vector2f CalculateRequisition() const override;
	void AllocateChildren() const override;
};

}
