// The typing console inside the whole game: the text it keeps (the newest
// 1024 characters plus one turn's worth, oldest dropped first) and
// scrolling to the newest line.
#include "GameFixture.h"

#include <algorithm>

using MashWindowTest = GameFixture;

TEST_F(MashWindowTest, ThreeHundredTurnsKeepTheNewestTextAndFollowIt)
{
    // A new game: the console is active and empty.
    EXPECT_TRUE(mashWindow->m_Active);
    EXPECT_EQ(mashWindow->m_Longdata, "");
    const MashTextGen& gen = mashWindow->m_MashGen;
    size_t before = 0;
    float scroll = 0;
    for (int turn = 1; turn <= 300; ++turn)
    {
        const int picker = gen.picker;
        Key(sf::Keyboard::Key::A);
        const std::string& text = mashWindow->m_Longdata;
        const size_t added = static_cast<size_t>(gen.picker - picker);
        ASSERT_TRUE(added >= 3 && added <= 7) << "turn " << turn << ": " << added;
        // Trimmed to 1024 before the new characters come, the oldest first.
        ASSERT_EQ(text.size(), std::min(before, size_t{1024}) + added) << "turn " << turn;
        ASSERT_EQ(text, gen.alldata.substr(static_cast<size_t>(gen.picker) - text.size(), text.size()))
            << turn;
        ASSERT_EQ(Text(mashWindow->m_Label), text) << "turn " << turn;
        // Scrolled so that the text's last 256 pixels are in view; never
        // above the top.
        scroll = mashWindow->m_Viewport->GetVerticalAdjustment()->GetValue();
        ASSERT_EQ(scroll, std::max(0.0f, mashWindow->m_Label->GetRequisition().y - 256.0f))
            << "turn " << turn;
        before = text.size();
    }
    EXPECT_GT(scroll, 0) << "a full console is taller than its view";
    EXPECT_TRUE(Frame());
}
