#include "ToolkitTestSupport.hpp"

#include <functional>
#include <vector>

using namespace toolkit_test;

namespace {

class SfgLayout : public ToolkitTest {};

using Widgets = std::vector<sfg::Widget::Ptr>;
using sfg::Table;

sf::Rect<std::uint32_t> Cell(std::uint32_t column, std::uint32_t row, std::uint32_t columns = 1) {
	return sf::Rect<std::uint32_t>({column, row}, {columns, 1});
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
	{"a column",
	 {{10, 20}, {30, 5}},
	 [](const Widgets& c) { return MakeBox(sfg::Box::Orientation::VERTICAL, 2.f, c); },
	 {30, 27},
	 {{{0, 0}, {30, 20}}, {{0, 22}, {30, 5}}}},
	{"a row: spacing between shown children, 100 extra for expanding ones",
	 {{10, 10}, {20, 10}, {99, 99}, {30, 10}},
	 [](const Widgets& c) {
		 auto box = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL, 4.f);
		 box->Pack(c[0], false, true);
		 box->Pack(c[1], true, true);
		 box->Pack(c[2]);
		 box->Pack(c[3], true, false); // its own width at the start of its slot
		 c[2]->Show(false);
		 box->SetRequisition(sf::Vector2f(168.f, 40.f));
		 return box;
	 },
	 {168, 40},
	 {{{0, 0}, {10, 40}}, {{14, 0}, {70, 40}}, {{88, 0}, {30, 40}}}},
	{"a table: widest cells, padding, spacings, extra for expanding columns",
	 {{10, 5}, {30, 8}, {20, 12}, {10, 10}},
	 [](const Widgets& c) {
		 auto table = Table::Create();
		 table->Attach(c[0], Cell(0, 0), Table::FILL, Table::FILL);
		 table->Attach(c[1], Cell(0, 1), Table::FILL, Table::FILL, sf::Vector2f(2.f, 1.f));
		 table->Attach(c[2], Cell(1, 1), Table::EXPAND | Table::FILL, Table::FILL);
		 table->Attach(c[3], Cell(2, 1), Table::EXPAND, Table::EXPAND); // no fill: own size, top-left
		 table->SetColumnSpacings(3.f);
		 table->SetRowSpacings(4.f);
		 table->SetRequisition(sf::Vector2f(110.f, 0.f)); // 40 more than its columns need
		 return table;
	 },
	 {110, 21},
	 {{{0, 0}, {34, 5}}, {{2, 10}, {30, 10}}, {{37, 9}, {40, 12}}, {{80, 9}, {10, 10}}}},
	{"a spanning cell spreads what it lacks",
	 {{50, 10}, {10, 10}, {20, 10}},
	 [](const Widgets& c) {
		 auto table = Table::Create();
		 table->Attach(c[0], Cell(0, 0, 2));
		 table->Attach(c[1], Cell(0, 1));
		 table->Attach(c[2], Cell(1, 1));
		 return table;
	 },
	 {50, 20},
	 {{{0, 0}, {50, 10}}, {{0, 10}, {20, 10}}, {{20, 10}, {30, 10}}}},
	{"fixed places",
	 {{30, 10}, {5, 40}},
	 [](const Widgets& c) {
		 auto fixed = sfg::Fixed::Create();
		 fixed->Put(c[0], sf::Vector2f(20.f, 10.f));
		 fixed->Put(c[1], sf::Vector2f(100.f, 2.f));
		 return fixed;
	 },
	 {105, 42},
	 {{{20, 10}, {30, 10}}, {{100, 2}, {5, 40}}}},
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
	EXPECT_EQ(compat::Corner(abc[2]->GetAllocation()).y, 15.f);
	box->Remove(abc[0]);
	EXPECT_EQ(compat::Corner(abc[2]->GetAllocation()).y, 0.f);
	EXPECT_FALSE(abc[0]->GetParent());
	abc[2]->SetRequisition(sf::Vector2f(25.f, 0.f)); // height: no minimum any more
	box->SetRequisition(sf::Vector2f(-1.f, 3.f));
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(25.f, 3.f));

	// A fixed child keeps its requisition's size; putting a widget in one
	// container takes it from the other.
	auto fixed = sfg::Fixed::Create();
	fixed->Put(abc[0], sf::Vector2f(5.f, 5.f));
	fixed->Put(abc[2], sf::Vector2f(100.f, 0.f)); // leaves the box
	EXPECT_EQ(box->GetChildren(), Widgets{abc[1]});
	fixed->Move(abc[2], sf::Vector2f(0.f, 0.f));
	fixed->Remove(Block(1, 1)); // not a child: ignored
	abc[0]->SetRequisition(sf::Vector2f(70.f, 12.f));
	EXPECT_EQ(abc[0]->GetAllocation(), sf::FloatRect({5.f, 5.f}, {70.f, 12.f}));
	EXPECT_EQ(fixed->GetRequisition(), sf::Vector2f(75.f, 17.f));
	fixed->Put(box, sf::Vector2f(0.f, 0.f));
	box->Pack(fixed); // a container cannot swallow its own ancestor
	EXPECT_FALSE(fixed->GetParent());

	// A window grows with its content and does not shrink; hiding it hides
	// its content.
	auto window = sfg::Window::Create(sfg::Window::BACKGROUND);
	window->Add(fixed);
	window->Add(Block(1, 1)); // a second child is refused
	EXPECT_EQ(window->GetChild(), fixed);
	abc[0]->SetRequisition(sf::Vector2f(300.f, 20.f));
	EXPECT_EQ(compat::Size(window->GetAllocation()).x, 311.f);
	abc[0]->SetRequisition(sf::Vector2f(1.f, 1.f));
	EXPECT_EQ(compat::Size(window->GetAllocation()).x, 311.f);
	EXPECT_EQ(compat::Size(fixed->GetAllocation()).x, 305.f);
	window->Show(false);
	EXPECT_TRUE(abc[0]->IsLocallyVisible());
	EXPECT_FALSE(abc[0]->IsGloballyVisible());
	window->Show();
	EXPECT_TRUE(abc[0]->IsGloballyVisible());
	box->Show(false);
	abc[1]->Show();
	EXPECT_FALSE(abc[1]->IsGloballyVisible());
}

TEST_F(SfgLayout, AnAdjustmentStaysWithinLowerAndUpperLessThePage) {
	auto adjustment = sfg::Adjustment::Create();
	adjustment->SetValue(50.f); // range [0, 0]
	EXPECT_EQ(adjustment->GetValue(), 0.f);
	adjustment->SetUpper(100.f);
	adjustment->SetValue(50.f);
	EXPECT_EQ(adjustment->GetValue(), 50.f);
	adjustment->SetPageSize(80.f); // range [0, 20]: the value follows
	EXPECT_EQ(adjustment->GetValue(), 20.f);
	adjustment->SetValue(-7.f);
	EXPECT_EQ(adjustment->GetValue(), 0.f);
	adjustment->SetLower(10.f);
	EXPECT_EQ(adjustment->GetValue(), 10.f);
	adjustment->SetPageSize(200.f); // empty range: the lower bound wins
	adjustment->SetValue(60.f);
	EXPECT_EQ(adjustment->GetValue(), 10.f);
}

TEST_F(SfgLayout, AViewportOffsetsItsChildByTheRoundedValues) {
	auto viewport = sfg::Viewport::Create();
	EXPECT_EQ(viewport->GetRequisition(), sf::Vector2f(0.f, 0.f));
	viewport->SetRequisition(sf::Vector2f(100.f, 50.f));
	auto content = Block(300.f, 400.f);
	viewport->Add(content);
	auto window = sfg::Window::Create(sfg::Window::NO_STYLE);
	window->Add(viewport);
	window->SetPosition(sf::Vector2f(20.f, 30.f));
	EXPECT_EQ(viewport->GetRequisition(), sf::Vector2f(100.f, 50.f));
	EXPECT_EQ(content->GetAllocation(), sf::FloatRect({0.f, 0.f}, {300.f, 400.f})); // its full requisition
	EXPECT_EQ(viewport->GetVerticalAdjustment()->GetUpper(), 0.f);                  // bounds are the user's to set
	viewport->GetVerticalAdjustment()->SetUpper(1e8f);
	viewport->GetVerticalAdjustment()->SetValue(30.4f);
	viewport->GetHorizontalAdjustment()->SetUpper(1000.f);
	viewport->GetHorizontalAdjustment()->SetValue(9.6f);
	EXPECT_EQ(content->GetAbsolutePosition(), sf::Vector2f(23.f - 10.f, 33.f - 30.f));
}

}
