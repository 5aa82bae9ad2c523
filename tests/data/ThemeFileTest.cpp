// The theme file against the real toolkit: it must parse completely, give
// the sixteen visibility classes of the map labels a steady fade, and keep
// the designer small enough for a 1280 x 720 screen. Measuring text needs a
// display, so these tests skip without one.

#include <SFGUI/Box.hpp>
#include <SFGUI/Button.hpp>
#include <SFGUI/Context.hpp>
#include <SFGUI/Desktop.hpp>
#include <SFGUI/Fixed.hpp>
#include <SFGUI/Label.hpp>
#include <SFGUI/SFGUI.hpp>
#include <SFGUI/Table.hpp>
#include <SFGUI/Window.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

const std::string THEME = std::string(VONDRELLEX_DATA_TOP) + "/Themes/Vondrellex.theme";

class ThemeFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "needs a display";
        gui = std::make_unique<sfg::SFGUI>();
        desktop = std::make_unique<sfg::Desktop>();
        loaded = desktop->LoadThemeFromFile(THEME);
    }

    void TearDown() override
    {
        sfg::Context::Get().GetEngine().ResetProperties();
    }

    std::unique_ptr<sfg::SFGUI> gui;
    std::unique_ptr<sfg::Desktop> desktop;
    bool loaded = false;
};

// "#RRGGBB" or "#RRGGBBAA" to {r, g, b, a}; empty on anything else.
std::vector<int> ParseColour(const std::string& text)
{
    if (text.size() != 7 && text.size() != 9)
        return {};
    if (text[0] != '#')
        return {};
    std::vector<int> rgba;
    for (std::size_t i = 1; i < text.size(); i += 2)
        rgba.push_back(std::stoi(text.substr(i, 2), nullptr, 16));
    if (rgba.size() == 3)
        rgba.push_back(255);
    return rgba;
}

TEST_F(ThemeFile, ParsesWithoutASingleBadRule)
{
    EXPECT_TRUE(loaded);
}

TEST_F(ThemeFile, MapLabelsFadeStepByStepFromFreshToFaint)
{
    const char* steps[] = {"zero", "one", "two", "three", "four", "five", "six", "seven",
                           "eight", "nine", "a", "b", "c", "d", "e", "f"};
    const sfg::Engine& engine = sfg::Context::Get().GetEngine();
    int previousAlpha = -1;
    int previousBrightness = -1;
    for (const char* step : steps)
    {
        SCOPED_TRACE(step);
        auto label = sfg::Label::Create("lp12");
        label->SetClass(step);
        const std::vector<int> c = ParseColour(engine.GetProperty("Color", *label));
        ASSERT_EQ(c.size(), 4u);
        const int brightness = c[0] + c[1] + c[2];
        EXPECT_GT(c[3], previousAlpha);
        EXPECT_GT(brightness, previousBrightness);
        previousAlpha = c[3];
        previousBrightness = brightness;
    }
    // The freshest sighting is fully opaque, the stalest still faintly there.
    EXPECT_EQ(previousAlpha, 255);
}

TEST_F(ThemeFile, DesignerFitsOnA1280By720ScreenWhereItOpens)
{
    // The designer's layout: a column of choice buttons beside the 46 x 18
    // grid of one-character cells, and under them the type string and three
    // 138 x 40 command buttons at fixed places. It opens at (404, 340).
    auto window = sfg::Window::Create(3);
    window->SetClass("rogue");
    auto contains = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0.0f);
    auto firstRow = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL, 0.0f);
    auto choices = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0.0f);
    auto grid = sfg::Table::Create();
    for (const char* ch : {"@", "l", "f", "R", "B", "X", "T", "C", "p", "F", "r", "w", "s", "A", "a", "k", "m", "d"})
    {
        auto button = sfg::Button::Create(ch);
        button->SetClass("available");
        choices->Pack(button);
    }
    for (sf::Uint32 row = 0; row < 18; ++row)
    {
        for (sf::Uint32 column = 0; column < 46; ++column)
        {
            auto cell = sfg::Button::Create((row + column) % 7 == 0 ? "#" : " ");
            cell->SetClass("available");
            grid->Attach(cell, sf::Rect<sf::Uint32>(column, row, 1, 1));
        }
    }
    firstRow->Pack(choices);
    firstRow->Pack(grid);

    auto secondRow = sfg::Fixed::Create();
    auto description = sfg::Label::Create("lfRBX");
    description->SetClass("rogue");
    description->SetRequisition({138.0f, 0.0f});
    secondRow->Put(description, {20.0f, 10.0f});
    const float lefts[] = {287.0f, 433.0f, 579.0f};
    for (float left : lefts)
    {
        auto command = sfg::Button::Create("Inventory");
        command->SetClass("rogue");
        command->SetRequisition({138.0f, 40.0f});
        secondRow->Put(command, {left, 0.0f});
    }
    contains->Pack(firstRow);
    contains->Pack(secondRow);
    window->Add(contains);

    const sf::Vector2f size = window->GetRequisition();
    EXPECT_LE(404.0f + size.x, 1280.0f) << "width " << size.x;
    EXPECT_LE(340.0f + size.y, 720.0f) << "height " << size.y;
}

} // namespace
