// The shipped theme against the real toolkit, in the game as it starts: it
// must parse completely, give the sixteen visibility classes of the map
// labels a steady fade, and keep the designer on a 1280 x 720 screen.
#include "GameFixture.h"
#include "GameOver.h"
#include "RogueWindowInspector.h"
#include "WorldWindow.h"

#include <SFGUI/Context.hpp>
#include <SFGUI/Label.hpp>

#include <string>
#include <vector>

namespace
{
using ThemeFileTest = GameFixture;

TEST_F(ThemeFileTest, ParsesWithoutASingleBadRule)
{
    EXPECT_TRUE(render->m_Desktop.LoadThemeFromFile("Themes/Vondrellex.theme"));
}

TEST_F(ThemeFileTest, MapLabelsFadeStepByStepFromFreshToFaint)
{
    int previousAlpha = -1, previousBrightness = -1;
    for (const char* step : VisibilityClasses)
    {
        auto label = sfg::Label::Create("lp12");
        label->SetClass(step);
        // "#RRGGBB" or "#RRGGBBAA"
        const std::string text = sfg::Context::Get().GetEngine().GetProperty("Color", *label);
        ASSERT_TRUE(text.size() == 7 || text.size() == 9) << step << ": " << text;
        ASSERT_EQ(text[0], '#') << step;
        std::vector<int> c;
        for (std::size_t i = 1; i < text.size(); i += 2)
            c.push_back(std::stoi(text.substr(i, 2), nullptr, 16));
        c.push_back(255);
        EXPECT_GT(c[3], previousAlpha) << step;
        EXPECT_GT(c[0] + c[1] + c[2], previousBrightness) << step;
        previousAlpha = c[3];
        previousBrightness = c[0] + c[1] + c[2];
    }
    // The freshest sighting is fully opaque.
    EXPECT_EQ(previousAlpha, 255);
}

// Every class the game gives its widgets has a look of its own in the theme:
// without its class, each such widget looks different.
TEST_F(ThemeFileTest, EveryClassTheGameGivesItsWidgetsHasItsLook)
{
    const auto look = [](const sfg::Widget& widget) {
        std::string properties;
        for (const char* name : {"BackgroundColor", "Color", "BorderColor", "BorderWidth", "Padding", "Gap",
                                 "FontName", "FontSize", "TitleBackgroundColor"})
            properties += sfg::Context::Get().GetEngine().GetProperty(name, widget) + " ";
        return properties;
    };
    Note* note = new Note(); // never freed, like the game's
    GameOver* over = new GameOver();
    ASSERT_TRUE(note->Init("a note") && over->Init(false));
    const RogueWindowInspector designer(rogueWindow);
    const std::vector<sfg::Widget::Ptr> widgets(
        {createBar->GetPointer(), createBar->buttons[0]->m_Button, stat->GetPointer(), stat->m_lRiskNum,
         mashWindow->GetPointer(), mashWindow->m_Label, worldWindow->GetPointer(), designer.Window(),
         designer.SpawnButton(), designer.Cell(0, 0)->m_Button, note->GetPointer(), note->m_Label,
         over->m_Label});
    for (const sfg::Widget::Ptr& widget : widgets)
    {
        const std::string name = widget->GetClass(), styled = look(*widget);
        widget->SetClass("");
        EXPECT_NE(look(*widget), styled) << widget->GetName() << "." << name;
    }
}

TEST_F(ThemeFileTest, DesignerOfferingEveryKindFitsOnA1280By720ScreenWhereItOpens)
{
    world->GetHumanPlayer()->m_DiscoveredRoomTypes = world->m_ValidRoomTypes;
    rogueWindow->Show(true);
    const sfg::Window::Ptr window = rogueWindow->GetPointer();
    const sf::Vector2f size = window->GetRequisition();
    const sf::Vector2f corner = compat::Corner(window->GetAllocation());
    EXPECT_LE(corner.x + size.x, 1280.0f) << "width " << size.x;
    EXPECT_LE(corner.y + size.y, 720.0f) << "height " << size.y;
}
} // namespace
