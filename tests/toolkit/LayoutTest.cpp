#include "ToolkitTestSupport.hpp"

#include <functional>
#include <vector>

using namespace toolkit_test;

namespace {

class SfgLayout : public ToolkitTest {};

using Widgets = std::vector<sfg::Widget::Ptr>;
using sfg::Table;

sf::Rect<sf::Uint32> Cell(sf::Uint32 column, sf::Uint32 row, sf::Uint32 columns = 1) {
	return sf::Rect<sf::Uint32>(column, row, columns, 1);
}

sfg::Box::Ptr MakeBox(sfg::Box::Orientation orientation, float spacing, const Widgets& children) {
	auto box = sfg::Box::Create(orientation, spacing);
	for(const auto& child : children) {
		box->Pack(child);
	}
	return box;
}

// Children of the given sizes are put in a container by `build`; then the
// container's requisition and the allocations of its shown children.
struct LayoutRow {
	const char* name;
	std::vector<sf::Vector2f> sizes;
	std::function<sfg::Widget::Ptr(const Widgets&)> build;
	sf::Vector2f requisition;
	std::vector<sf::FloatRect> allocations;
};

const LayoutRow g_layouts[] = {
	{"a row: spacing between shown children only", {{10, 20}, {100, 100}, {30, 5}}, [](const Widgets& c) {
		 c[1]->Show(false);
		 return MakeBox(sfg::Box::Orientation::HORIZONTAL, 5.f, c);
	 }, {45, 20}, {{0, 0, 10, 20}, {15, 0, 30, 20}}},
	{"a column", {{10, 20}, {30, 5}}, [](const Widgets& c) {
		 return MakeBox(sfg::Box::Orientation::VERTICAL, 2.f, c);
	 }, {30, 27}, {{0, 0, 30, 20}, {0, 22, 30, 5}}},
	{"a row shares its extra 100 among expanding children", {{10, 10}, {20, 10}, {30, 10}}, [](const Widgets& c) {
		 auto box = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL, 4.f);
		 box->Pack(c[0], false, true);
		 box->Pack(c[1], true, true);
		 box->Pack(c[2], true, false); // its own width at the start of its slot
		 box->SetRequisition(sf::Vector2f(168.f, 40.f));
		 return box;
	 }, {168, 40}, {{0, 0, 10, 40}, {14, 0, 70, 40}, {88, 0, 30, 40}}},
	{"a table: widest cell, padding and spacings", {{10, 5}, {30, 8}, {20, 12}}, [](const Widgets& c) {
		 auto table = Table::Create();
		 table->Attach(c[0], Cell(0, 0), Table::FILL, Table::FILL);
		 table->Attach(c[1], Cell(0, 1), Table::FILL, Table::FILL, sf::Vector2f(2.f, 1.f));
		 table->Attach(c[2], Cell(1, 1), Table::FILL, Table::FILL);
		 table->SetColumnSpacings(3.f);
		 table->SetRowSpacings(4.f);
		 return table;
	 }, {57, 21}, {{0, 0, 34, 5}, {2, 10, 30, 10}, {37, 9, 20, 12}}},
	{"a table gives its extra to expanding columns", {{10, 10}, {10, 10}, {10, 10}}, [](const Widgets& c) {
		 auto table = Table::Create();
		 table->Attach(c[0], Cell(0, 0), Table::FILL, Table::FILL);
		 table->Attach(c[1], Cell(1, 0), Table::EXPAND | Table::FILL, Table::FILL);
		 table->Attach(c[2], Cell(2, 0), Table::EXPAND, Table::EXPAND); // no fill: own size, top-left
		 table->SetRequisition(sf::Vector2f(70.f, 30.f));
		 return table;
	 }, {70, 30}, {{0, 0, 10, 30}, {10, 0, 30, 30}, {40, 0, 10, 10}}},
	{"a spanning cell spreads what it lacks", {{50, 10}, {10, 10}, {20, 10}}, [](const Widgets& c) {
		 auto table = Table::Create();
		 table->Attach(c[0], Cell(0, 0, 2));
		 table->Attach(c[1], Cell(0, 1));
		 table->Attach(c[2], Cell(1, 1));
		 return table;
	 }, {50, 20}, {{0, 0, 50, 10}, {0, 10, 20, 10}, {20, 10, 30, 10}}},
	{"fixed places", {{30, 10}, {5, 40}}, [](const Widgets& c) {
		 auto fixed = sfg::Fixed::Create();
		 fixed->Put(c[0], sf::Vector2f(20.f, 10.f));
		 fixed->Put(c[1], sf::Vector2f(100.f, 2.f));
		 return fixed;
	 }, {105, 42}, {{20, 10, 30, 10}, {100, 2, 5, 40}}},
	{"a window frames its child", {{100, 50}}, [](const Widgets& c) {
		 auto window = sfg::Window::Create(sfg::Window::BACKGROUND);
		 window->Add(c[0]);
		 window->Add(Block(1, 1)); // a second child is refused
		 return window;
	 }, {106, 56}, {{3, 3, 100, 50}}},
};

TEST_F(SfgLayout, ContainersPlaceTheirChildren) {
	for(const LayoutRow& row : g_layouts) {
		SCOPED_TRACE(row.name);
		Widgets children;
		for(const sf::Vector2f& size : row.sizes) {
			children.push_back(Block(size.x, size.y));
		}
		auto container = row.build(children);
		EXPECT_EQ(container->GetRequisition(), row.requisition);
		std::vector<sf::FloatRect> allocations;
		for(const auto& child : children) {
			if(child->IsLocallyVisible()) {
				allocations.push_back(child->GetAllocation());
			}
		}
		EXPECT_EQ(allocations, row.allocations);
	}
}

TEST_F(SfgLayout, ChangesReflowAtOnce) {
	const Widgets abc = {Block(10, 10), Block(10, 10), Block(10, 10)};
	auto box = MakeBox(sfg::Box::Orientation::VERTICAL, 5.f, abc);
	abc[1]->Show(false);
	EXPECT_EQ(abc[2]->GetAllocation().top, 15.f);
	box->Remove(abc[0]);
	EXPECT_EQ(abc[2]->GetAllocation().top, 0.f);
	EXPECT_FALSE(abc[0]->GetParent());
	abc[2]->SetRequisition(sf::Vector2f(25.f, 0.f)); // height: no minimum any more
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(25.f, 0.f));
	box->SetRequisition(sf::Vector2f(-1.f, 3.f));
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(25.f, 3.f));
	box->RemoveAll();
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(0.f, 3.f));

	auto fixed = sfg::Fixed::Create();
	fixed->Put(abc[0], sf::Vector2f(5.f, 5.f));
	fixed->Put(abc[1], sf::Vector2f(100.f, 0.f));
	abc[1]->Show();
	fixed->Remove(Block(1, 1)); // not a child: ignored
	abc[0]->SetRequisition(sf::Vector2f(70.f, 12.f));
	fixed->Move(abc[1], sf::Vector2f(0.f, 0.f));
	EXPECT_EQ(abc[0]->GetAllocation(), sf::FloatRect(5.f, 5.f, 70.f, 12.f));
	EXPECT_EQ(fixed->GetRequisition(), sf::Vector2f(75.f, 17.f));

	// One wider cell widens its whole column and shifts the next.
	auto table = Table::Create();
	Widgets cells;
	for(sf::Uint32 i = 0; i < 4; ++i) {
		cells.push_back(Block(9, 24));
		table->Attach(cells.back(), Cell(i / 2, i % 2), Table::FILL, Table::FILL);
	}
	cells[0]->SetRequisition(sf::Vector2f(15.f, 24.f));
	EXPECT_EQ(cells[1]->GetAllocation().width, 15.f);
	EXPECT_EQ(cells[3]->GetAllocation(), sf::FloatRect(15.f, 24.f, 9.f, 24.f));

	// A window grows with its content and does not shrink.
	auto window = sfg::Window::Create(sfg::Window::BACKGROUND);
	window->Add(table);
	cells[2]->SetRequisition(sf::Vector2f(300.f, 20.f));
	EXPECT_EQ(window->GetAllocation().width, 321.f);
	cells[2]->SetRequisition(sf::Vector2f(1.f, 1.f));
	EXPECT_EQ(window->GetAllocation().width, 321.f);
	EXPECT_EQ(table->GetAllocation().width, 315.f);
}

TEST_F(SfgLayout, ReparentingAndVisibility) {
	auto window = sfg::Window::Create();
	auto first = sfg::Box::Create();
	auto second = sfg::Box::Create();
	auto leaf = Block(5, 5);
	window->Add(second);
	first->Pack(leaf);
	second->Pack(leaf); // moves it
	EXPECT_TRUE(first->GetChildren().empty());
	EXPECT_EQ(leaf->GetParent(), second);
	first->Pack(second); // leaves the window
	second->Pack(first); // a container cannot swallow its own ancestor
	EXPECT_FALSE(first->GetParent());
	window->Add(first);
	EXPECT_TRUE(leaf->IsGloballyVisible());
	window->Show(false);
	EXPECT_TRUE(leaf->IsLocallyVisible());
	EXPECT_FALSE(leaf->IsGloballyVisible());
	window->Show();
	second->Show(false);
	EXPECT_FALSE(leaf->IsGloballyVisible());
	second->Remove(leaf); // a detached widget answers for itself alone
	EXPECT_TRUE(leaf->IsGloballyVisible());
}

}
