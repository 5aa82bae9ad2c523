#include "ToolkitTestSupport.hpp"

#include <SFML/Graphics/Font.hpp>

#include <cmath>

using namespace toolkit_test;

namespace {

// Measures text with the font directly, as an independent oracle.
class SfgLabel : public DisplayTest {
	protected:
		void SetUp() override {
			DisplayTest::SetUp();
			if(IsSkipped()) {
				return;
			}
			ASSERT_TRUE(font.loadFromFile(sfg::Context::Get().GetDefaultFontPath()));
			line = std::ceil(font.getLineSpacing(12));
		}

		float Width(const std::string& text) {
			float width = 0.f;
			for(char c : text) {
				width += font.getGlyph(static_cast<unsigned char>(c), 12, false).advance;
			}
			return width;
		}

		sf::Font font;
		float line = 0.f;
};

TEST_F(SfgLabel, RequisitionIsWidestLineByLineCount) {
	auto label = sfg::Label::Create("ab\ncdefg\nh");
	EXPECT_EQ(label->GetRequisition(), sf::Vector2f(std::ceil(Width("cdefg")), 3.f * line));
	label->SetText("ab\n");
	EXPECT_EQ(label->GetRequisition().y, line); // a trailing break adds no line
	label->SetText("ab\n\n");
	EXPECT_EQ(label->GetRequisition().y, 2.f * line);
	label->SetText("");
	EXPECT_EQ(label->GetRequisition(), sf::Vector2f(0.f, 0.f));
	label->SetText("x");
	EXPECT_EQ(label->GetText(), "x");
	EXPECT_EQ(label->GetRequisition(), sf::Vector2f(std::ceil(Width("x")), line));
}

TEST_F(SfgLabel, TabsAdvanceToTheNextMultipleOfFourColumns) {
	auto label = sfg::Label::Create("a\tb");
	EXPECT_EQ(label->GetWrappedText().toAnsiString(), "a   b");
	EXPECT_EQ(label->GetRequisition().x, std::ceil(Width("a   b")));
	label->SetText("abcd\te\n\tf");
	EXPECT_EQ(label->GetWrappedText().toAnsiString(), "abcd    e\n    f");
}

TEST_F(SfgLabel, WrapsAtSpacesAndBreaksLongWordsByCharacters) {
	auto label = sfg::Label::Create();
	label->SetLineWrap(true);
	const float width = std::ceil(Width("alpha beta")) + 1.f;
	label->SetRequisition(sf::Vector2f(width, 0.f));
	label->SetText("alpha beta gamma");
	EXPECT_EQ(label->GetWrappedText().toAnsiString(), "alpha beta\ngamma");
	EXPECT_EQ(label->GetRequisition(), sf::Vector2f(width, 2.f * line));

	label->SetText("xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxy");
	const std::string wrapped = label->GetWrappedText().toAnsiString();
	std::string joined;
	std::size_t lines = 0;
	std::size_t begin = 0;
	while(begin <= wrapped.size()) {
		std::size_t end = wrapped.find('\n', begin);
		if(end == std::string::npos) {
			end = wrapped.size();
		}
		const std::string piece = wrapped.substr(begin, end - begin);
		EXPECT_LE(Width(piece), width) << piece;
		joined += piece;
		++lines;
		begin = end + 1;
	}
	EXPECT_GT(lines, 3u);
	EXPECT_EQ(joined, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxy");
	EXPECT_EQ(label->GetRequisition().y, static_cast<float>(lines) * line);
}

TEST_F(SfgLabel, WrappedHeightIsCurrentRightAfterSetTextAtTheAllocatedWidth) {
	auto window = sfg::Window::Create(sfg::Window::BACKGROUND);
	auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL);
	box->SetRequisition(sf::Vector2f(200.f, 0.f));
	auto label = sfg::Label::Create();
	label->SetLineWrap(true);
	box->Pack(label);
	window->Add(box);
	EXPECT_EQ(label->GetAllocation().width, 200.f);
	EXPECT_EQ(label->GetRequisition().x, 0.f);

	std::string text;
	for(int i = 0; i < 60; ++i) {
		text += "word ";
	}
	label->SetText(text);
	// No layout in between: the height is already the one at 200 pixels.
	const float height = label->GetRequisition().y;
	auto oracle = sfg::Label::Create(text);
	oracle->SetLineWrap(true);
	oracle->SetRequisition(sf::Vector2f(200.f, 0.f));
	EXPECT_EQ(height, oracle->GetRequisition().y);
	EXPECT_GT(height, 3.f * line);
	EXPECT_EQ(window->GetAllocation().height, height + 6.f); // 1 border, 2 gap on each side
}

TEST_F(SfgLabel, TheConsoleFollowsItsNewestText) {
	auto window = sfg::Window::Create(3);
	auto viewport = sfg::Viewport::Create();
	viewport->SetRequisition(sf::Vector2f(510.f, 254.f));
	auto adjustment = viewport->GetVerticalAdjustment();
	adjustment->SetLower(0.f);
	adjustment->SetUpper(100000000.f);
	auto box = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0.f);
	auto label = sfg::Label::Create("");
	label->SetClass("mashwindow");
	label->SetRequisition(sf::Vector2f(512.f, 256.f));
	label->SetLineWrap(true);
	box->Pack(label);
	viewport->Add(box);
	window->Add(viewport);

	std::string text;
	for(int turn = 0; turn < 400; ++turn) {
		if(text.size() > 1024) {
			text.erase(0, text.size() - 1024);
		}
		text += (turn % 9 == 0) ? "\n\tx = y;" : "abc ";
		label->SetText(text);
		adjustment->SetValue(label->GetRequisition().y - 256.f);
		if(turn == 2) {
			EXPECT_EQ(adjustment->GetValue(), 0.f);
		}
	}
	const float height = label->GetRequisition().y;
	EXPECT_GT(height, 256.f);
	EXPECT_EQ(adjustment->GetValue(), height - 256.f);
	EXPECT_EQ(label->GetAllocation().width, 512.f);
	EXPECT_EQ(label->GetAllocation().height, height);
	// The last line sits at the bottom edge of the viewport (give or take
	// the two pixels the viewport is smaller than the label's minimum).
	const float bottom = label->GetAbsolutePosition().y + height;
	const float viewport_bottom = viewport->GetAbsolutePosition().y + 254.f;
	EXPECT_NEAR(bottom, viewport_bottom, 2.f);
}

}
