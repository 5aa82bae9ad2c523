#pragma once

#include <SFGUI/Container.hpp>

namespace sfg {

// Lays out its visible children in a row or a column.
// Along the axis each child gets its requisition; leftover space is split
// equally among the `expand` children; an `expand` child without `fill` keeps
// its own size at the start of its slot. Across the axis children are
// stretched. Requisition: sum along the axis plus `spacing` between visible
// children, maximum across.
class Box : public Container {
public:
	typedef SharedPtr<Box> Ptr;
	typedef SharedPtr<const Box> PtrConst;

	enum class Orientation : char { HORIZONTAL = 0, VERTICAL };

	// spacing: pixels between neighbouring visible children (default 0).
	static Ptr Create(Orientation orientation = Orientation::HORIZONTAL, float spacing = 0.f);

	const std::string& GetName() const override;

	// Appends a child (Add(widget) is the same as Pack(widget, true, true)).
	void Pack(Widget::Ptr widget, bool expand = true, bool fill = true);

	void SetSpacing(float spacing);
	float GetSpacing() const;
	Orientation GetOrientation() const;

protected:
	Box(Orientation orientation, float spacing);
	sf::Vector2f CalculateRequisition() const override;
	void AllocateChildren() const override;

private:
	Orientation m_orientation;
	float m_spacing;
};

}
