#include "ToolkitTestSupport.hpp"

using namespace toolkit_test;

namespace {

class SfgVisibility : public ToolkitTest {};

TEST_F(SfgVisibility, GloballyVisibleNeedsEveryAncestorShown) {
	auto window = sfg::Window::Create();
	auto box = sfg::Box::Create();
	auto leaf = Block(5, 5);
	box->Pack(leaf);
	window->Add(box);
	EXPECT_TRUE(leaf->IsGloballyVisible());
	window->Show(false);
	EXPECT_TRUE(leaf->IsLocallyVisible());
	EXPECT_FALSE(leaf->IsGloballyVisible());
	EXPECT_FALSE(box->IsGloballyVisible());
	window->Show();
	box->Show(false);
	EXPECT_FALSE(leaf->IsGloballyVisible());
	EXPECT_TRUE(window->IsGloballyVisible());
	box->Show(true);
	leaf->Show(false);
	EXPECT_FALSE(leaf->IsGloballyVisible());
	EXPECT_FALSE(leaf->IsLocallyVisible());
	// A detached widget answers for itself alone.
	box->Remove(leaf);
	leaf->Show();
	EXPECT_TRUE(leaf->IsGloballyVisible());
}

TEST_F(SfgVisibility, ClassAndIdAreKept) {
	auto label = sfg::Label::Create("");
	EXPECT_EQ(label->GetClass(), "");
	label->SetClass("note");
	label->SetId("first");
	EXPECT_EQ(label->GetClass(), "note");
	EXPECT_EQ(label->GetId(), "first");
	EXPECT_EQ(label->GetName(), "Label");
}

}
