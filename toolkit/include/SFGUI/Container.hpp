#pragma once

#include <SFGUI/Widget.hpp>

#include <SFML/Graphics/Rect.hpp>

#include <cstdint>
#include <vector>

namespace sfg {

// A widget holding shared references to child widgets.
// Adding a widget that already has a parent moves it here. Removing is O(1);
// removing and re-adding N children costs O(N).
class Container : public Widget {
public:
	typedef SharedPtr<Container> Ptr;
	typedef SharedPtr<const Container> PtrConst;
	typedef std::vector<Widget::Ptr> WidgetsList;

	~Container() override;

	// Appends a child with the container's default placement.
	void Add(Widget::Ptr widget);
	// Removes a child (not a grandchild); anything else is ignored.
	void Remove(Widget::Ptr widget);
	// Removes every child.
	void RemoveAll();
	// Whether `widget` is a direct child.
	bool IsChild(Widget::Ptr widget) const;
	// The children in insertion order.
	const WidgetsList& GetChildren() const;

protected:
	// How a child is placed; each container uses the fields it needs.
	struct PackInfo {
		sf::Vector2f position;        // Fixed
		sf::Rect<std::uint32_t> cell; // Table: column, row, spans
		sf::Vector2f padding;         // Table
		int x_options = 3;            // Table: EXPAND | FILL
		int y_options = 3;
		bool expand = true; // Box
		bool fill = true;   // Box
	};

	// Adds with explicit placement (re-parents if needed).
	void AddWithInfo(const Widget::Ptr& widget, const PackInfo& info);
	// Placement of a direct child.
	PackInfo& GetPackInfo(const Widget& child);
	// Children by slot, in insertion order; a slot may be empty (null)
	// until the list is next compacted.
	std::size_t GetSlotCount() const;
	Widget* GetSlot(std::size_t index) const;
	const PackInfo& GetPackInfoAt(std::size_t index) const;
	// Number of children.
	std::size_t GetChildCount() const;
	// Whether another child may be added (a Bin holds only one).
	virtual bool AcceptsChild() const;
	// Called after a child was added / removed.
	virtual void HandleAdd(const Widget::Ptr& child);
	virtual void HandleRemove(const Widget::Ptr& child);

private:
	void Compact() const;
	const std::vector<Widget::Ptr>* GetChildList() const override;

	mutable WidgetsList m_children;
	mutable std::vector<PackInfo> m_pack;
	mutable std::size_t m_holes = 0;
};

}
