#include "ToolkitTestSupport.hpp"

using namespace toolkit_test;

namespace {

class SfgFixedLayout : public ToolkitTest {};

TEST_F(SfgFixedLayout, ChildrenSitAtTheirPositionsWithTheirRequisitions) {
	auto fixed = sfg::Fixed::Create();
	auto a = Block(30, 10);
	auto b = Block(5, 40);
	fixed->Put(a, sf::Vector2f(20.f, 10.f));
	fixed->Put(b, sf::Vector2f(100.f, 2.f));
	EXPECT_EQ(fixed->GetRequisition(), sf::Vector2f(105.f, 42.f));
	EXPECT_EQ(a->GetAllocation(), sf::FloatRect(20.f, 10.f, 30.f, 10.f));
	EXPECT_EQ(b->GetAllocation(), sf::FloatRect(100.f, 2.f, 5.f, 40.f));

	fixed->Move(b, sf::Vector2f(0.f, 0.f));
	EXPECT_EQ(b->GetAllocation().left, 0.f);
	EXPECT_EQ(fixed->GetRequisition(), sf::Vector2f(50.f, 40.f));
}

TEST_F(SfgFixedLayout, ChildSizeStaysCurrentWhenTheChildChanges) {
	auto fixed = sfg::Fixed::Create();
	auto a = Block(30, 10);
	fixed->Put(a, sf::Vector2f(5.f, 5.f));
	EXPECT_EQ(a->GetAllocation().width, 30.f);
	a->SetRequisition(sf::Vector2f(70.f, 12.f));
	EXPECT_EQ(a->GetAllocation(), sf::FloatRect(5.f, 5.f, 70.f, 12.f));
	EXPECT_EQ(fixed->GetRequisition(), sf::Vector2f(75.f, 17.f));
}

TEST_F(SfgFixedLayout, ReplacingAThousandChildrenKeepsOrderAndGeometry) {
	auto window = sfg::Window::Create(sfg::Window::BACKGROUND);
	auto fixed = sfg::Fixed::Create();
	window->Add(fixed);
	std::vector<sfg::Widget::Ptr> children;
	for(int round = 0; round < 3; ++round) {
		for(auto& child : children) {
			fixed->Remove(child);
		}
		children.clear();
		for(int i = 0; i < 1000; ++i) {
			auto child = Block(10.f, 10.f);
			fixed->Put(child, sf::Vector2f(static_cast<float>(i % 100), static_cast<float>(i / 100 + round)));
			children.push_back(child);
		}
		ASSERT_EQ(fixed->GetChildren().size(), 1000u);
		EXPECT_EQ(fixed->GetChildren().front(), children.front());
		EXPECT_EQ(fixed->GetChildren().back(), children.back());
		EXPECT_EQ(fixed->GetRequisition(), sf::Vector2f(109.f, 19.f + static_cast<float>(round)));
		EXPECT_EQ(children[457]->GetAllocation().left, 57.f);
	}
	// Removing a widget that is not a child is ignored.
	fixed->Remove(Block(1, 1));
	EXPECT_EQ(fixed->GetChildren().size(), 1000u);
}

}
