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
	// The options of a table cell given none: Table::EXPAND | Table::FILL
	// (Table checks that the two agree).
	static constexpr int DEFAULT_TABLE_OPTIONS = 3;

	// How a child is placed; each container uses the fields it needs.
	struct PackInfo {
		sf::Vector2f position;                 // Fixed
		sf::Rect<std::uint32_t> cell;          // Table: column, row, spans
		sf::Vector2f padding;                  // Table
		int x_options = DEFAULT_TABLE_OPTIONS; // Table
		int y_options = DEFAULT_TABLE_OPTIONS;
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
	// Calls `visit(child, info)` for each child that is shown, in slot order,
	// with its placement: the walk every layout makes. It goes by index over
	// the live list, since laying a child out may run handlers that add or
	// remove children.
	template <typename Visit>
	void ForEachShownChild(Visit&& visit) const {
		for(std::size_t i = 0; i < m_children.size(); ++i) {
			Widget* child = m_children[i].get();
			if(child && child->IsLocallyVisible()) {
				visit(*child, m_pack[i]);
			}
		}
	}
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
