#include "ToolkitTestSupport.hpp"

using namespace toolkit_test;

namespace {

class SfgBoxLayout : public ToolkitTest {};

sf::FloatRect Rect(float x, float y, float w, float h) {
	return sf::FloatRect(x, y, w, h);
}

TEST_F(SfgBoxLayout, RequisitionSumsAlongAndTakesMaxAcrossWithSpacingBetweenVisibleChildren) {
	auto box = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL, 5.f);
	auto a = Block(10, 20);
	auto b = Block(30, 5);
	auto hidden = Block(100, 100);
	box->Pack(a);
	box->Pack(hidden);
	box->Pack(b);
	hidden->Show(false);
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(45.f, 20.f));

	hidden->Show(true);
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(150.f, 100.f));

	auto column = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 2.f);
	column->Pack(Block(10, 20));
	column->Pack(Block(30, 5));
	EXPECT_EQ(column->GetRequisition(), sf::Vector2f(30.f, 27.f));
}

TEST_F(SfgBoxLayout, LeftoverSpaceIsSharedByExpandingChildrenAndFillDecidesTheirSize) {
	auto box = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL, 4.f);
	auto fixed = Block(10, 10);
	auto grow = Block(20, 10);
	auto loose = Block(30, 10);
	box->Pack(fixed, false, true);
	box->Pack(grow, true, true);
	box->Pack(loose, true, false);
	box->SetRequisition(sf::Vector2f(168.f, 40.f)); // 100 extra over 68
	box->GetAllocation();

	EXPECT_EQ(fixed->GetAllocation(), Rect(0, 0, 10, 40));
	EXPECT_EQ(grow->GetAllocation(), Rect(14, 0, 70, 40));
	// Expand without fill: own width at the start of its 80-pixel slot.
	EXPECT_EQ(loose->GetAllocation(), Rect(88, 0, 30, 40));
}

TEST_F(SfgBoxLayout, HiddenChildrenTakeNoSpaceAndRemovalReflows) {
	auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 5.f);
	auto a = Block(10, 10);
	auto b = Block(10, 10);
	auto c = Block(10, 10);
	box->Pack(a, false);
	box->Pack(b, false);
	box->Pack(c, false);
	EXPECT_EQ(c->GetAllocation().top, 30.f);

	b->Show(false);
	EXPECT_EQ(c->GetAllocation().top, 15.f);
	EXPECT_EQ(box->GetRequisition().y, 25.f);

	box->Remove(a);
	EXPECT_EQ(c->GetAllocation().top, 0.f);
	EXPECT_FALSE(a->GetParent());
	EXPECT_EQ(box->GetChildren().size(), 2u);

	box->RemoveAll();
	EXPECT_TRUE(box->GetChildren().empty());
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(0.f, 0.f));
}

TEST_F(SfgBoxLayout, RequisitionFollowsChildChangesAndRequestedMinimum) {
	auto box = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL);
	auto a = Block(10, 10);
	box->Pack(a);
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(10.f, 10.f));
	a->SetRequisition(sf::Vector2f(25.f, 0.f)); // height: no minimum any more
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(25.f, 0.f));
	box->SetRequisition(sf::Vector2f(0.f, 50.f));
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(25.f, 50.f));
	box->SetRequisition(sf::Vector2f(-1.f, 3.f));
	EXPECT_EQ(box->GetRequisition(), sf::Vector2f(25.f, 3.f));
}

TEST_F(SfgBoxLayout, AddingAWidgetThatHasAParentMovesIt) {
	auto first = sfg::Box::Create();
	auto second = sfg::Box::Create();
	auto child = Block(10, 10);
	first->Pack(child);
	second->Pack(child);
	EXPECT_TRUE(first->GetChildren().empty());
	ASSERT_EQ(second->GetChildren().size(), 1u);
	EXPECT_EQ(child->GetParent(), second);
	// A container cannot swallow its own ancestor.
	auto inner = sfg::Box::Create();
	second->Pack(inner);
	inner->Pack(second);
	EXPECT_FALSE(second->GetParent());
}

}
