#include "RogueWindow.h"

#include "BarButton.h"
#include "CreateBar.h"
#include "Eventfulness.h"
#include "Glob.h"
#include "RogueButton.h"
#include "SfmlCompat.h"
#include "World.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace
{
const int SHUFFLESIZE = 40;

// Width and height of a room of each kind, walls included.
sf::Vector2i RoomSize(RoomType type)
{
    switch (type)
    {
    case ROCK:
    case BPAPER:
    case XSCISSORS:
        return {12, 7};
    case TEMPLATE:
    case CREATE:
        return {14, 9};
    case PING:
    case PINGFAKE:
        return {9, 5};
    default:
        return {5, 5};
    }
}

bool IsWeapon(RoomType type)
{
    return type == ROCK || type == BPAPER || type == XSCISSORS;
}
}

int cord(int x, int y)
{
    return x * GRIDHEIGHT + y;
}

RogueWindow::RogueWindow() : m_CurrentRoomType(PLAYERBASE), m_TargetButton(nullptr), m_CreateBar(nullptr)
{
}

sfg::Window::Ptr RogueWindow::GetPointer()
{
    return m_Window;
}

bool RogueWindow::Init(CreateBar* cbar)
{
    m_CreateBar = cbar;

    for (int i = 0; i < SHUFFLESIZE; ++i)
        m_shuffledints.push_back(i);
    for (int i = 1; i < SHUFFLESIZE; ++i)
        std::swap(m_shuffledints[i], m_shuffledints[rand() % (i + 1)]);

    m_Window = sfg::Window::Create(sfg::Window::Style::TITLEBAR | sfg::Window::Style::BACKGROUND);
    m_Window->SetTitle(" ");
    m_Window->SetPosition(sf::Vector2f(404, 340));
    m_Window->SetClass("rogue");

    m_Contains = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0);
    m_FirstRow = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL, 0);
    m_SecondRow = sfg::Fixed::Create();
    m_RoomChooseBar = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0);
    m_Dungeon = sfg::Table::Create();
    m_FirstRow->Pack(m_RoomChooseBar, true, true);
    m_FirstRow->Pack(m_Dungeon, true, true);

    m_Description = sfg::Label::Create("");
    m_bInventory = sfg::Button::Create("Inventory");
    m_bDelete = sfg::Button::Create("Delete");
    m_bSpawn = sfg::Button::Create("Spawn");
    m_bInventory->GetSignal(sfg::Widget::OnLeftClick).Connect(std::bind(&RogueWindow::Inventory, this));
    m_bDelete->GetSignal(sfg::Widget::OnLeftClick).Connect(std::bind(&RogueWindow::Delete, this));
    m_bSpawn->GetSignal(sfg::Widget::OnLeftClick).Connect(std::bind(&RogueWindow::Spawn, this));

    m_Description->SetClass("rogue");
    m_Description->SetRequisition(sf::Vector2f(138, 0));
    for (const sfg::Button::Ptr& button : {m_bInventory, m_bDelete, m_bSpawn})
    {
        button->SetClass("rogue");
        button->SetRequisition(sf::Vector2f(138, 40));
    }
    m_SecondRow->Put(m_Description, sf::Vector2f(20, 10));
    m_SecondRow->Put(m_bInventory, sf::Vector2f(287, 0));
    m_SecondRow->Put(m_bDelete, sf::Vector2f(433, 0));
    m_SecondRow->Put(m_bSpawn, sf::Vector2f(579, 0));

    m_Contains->Pack(m_FirstRow, true, true);
    m_Contains->Pack(m_SecondRow, true, true);
    m_Window->Add(m_Contains);

    RefreshAvailableRooms();
    InitDungeon();
    RefreshDungeon();
    Show(false);
    return true;
}

void RogueWindow::OnButtonClick(RogueButton* rbutton)
{
    if (rbutton->m_choose)
        m_CurrentRoomType = CharToRoomType(rbutton->m_ButtonChar);
    else
        AddRoomAt(rbutton->m_pos);
}

void RogueWindow::OnButtonRightClick(RogueButton* rbutton)
{
    if (!rbutton->m_choose)
        RemoveRoomAt(rbutton->m_pos);
}

Object* RogueWindow::GetCurrentObject()
{
    Object* obj = new Object();
    for (const DungeonRoom* room : m_DungeonRooms)
        obj->m_Rooms.push_back(new Room(room->type));
    obj->m_Name = m_Description->GetText().toAnsiString();
    obj->m_KnownEnemies = glob->world->GetHumanPlayer()->m_KnownEnemies;
    return obj;
}

void RogueWindow::Clear()
{
    for (DungeonRoom* room : m_DungeonRooms)
        delete room;
    m_DungeonRooms.clear();
    RefreshAvailableRooms();
    RefreshDungeon();
}

void RogueWindow::Show(bool show)
{
    Clear();
    m_Window->Show(show);
    if (show)
        m_Window->GrabFocus();
}

void RogueWindow::Inventory()
{
    // A design without rooms would give a template without a first room,
    // which the bar and the world cannot take: ignore the command.
    if (m_DungeonRooms.empty())
        return;
    if (m_TargetButton == nullptr)
        m_TargetButton = m_CreateBar->AddNewButton();
    m_TargetButton->m_Obj = GetCurrentObject();
    m_TargetButton->m_Button->SetLabel(m_Description->GetText());
    m_TargetButton = m_CreateBar->AddNewButton();
    Clear();
    Show(false);
}

void RogueWindow::Delete()
{
    Clear();
    Show(false);
}

void RogueWindow::Spawn()
{
    if (m_DungeonRooms.empty()) // see Inventory
        return;
    Object* newObj = GetCurrentObject();
    newObj->m_Name += std::to_string(rand() % 999);
    // One line per spawn, out at once for whoever reads it.
    std::printf("%s\n", newObj->m_Name.c_str());
    std::fflush(stdout);
    glob->event->CreateNewObject(newObj, m_Description->GetText().toAnsiString());
}

void RogueWindow::RefreshAvailableRooms()
{
    for (RogueButton* button : m_ChooseButtons)
        delete button;
    m_ChooseButtons.clear();
    m_RoomChooseBar->RemoveAll();

    const std::vector<RoomType> kinds = glob->world->GetHumanPlayer()->m_DiscoveredRoomTypes;
    for (RoomType kind : kinds)
    {
        RogueButton* button = new RogueButton();
        button->Init(this, RoomTypeToChar(kind));
        button->m_choose = true;
        m_RoomChooseBar->Pack(button->m_Button, true, true);
        m_ChooseButtons.push_back(button);
    }
}

void RogueWindow::InitDungeon()
{
    for (int x = 0; x < GRIDWIDTH; ++x)
    {
        for (int y = 0; y < GRIDHEIGHT; ++y)
        {
            RogueButton* cell = new RogueButton();
            cell->Init(this, ' ');
            cell->m_choose = false;
            cell->m_pos = sf::Vector2i(x, y);
            m_Dungeon->Attach(cell->m_Button, sf::Rect<std::uint32_t>(sf::Vector2u(x, y), {1, 1}),
                              sfg::Table::FILL, sfg::Table::FILL, sf::Vector2f(0, 0));
            m_RogueButtons.push_back(cell);
        }
    }
}

void RogueWindow::AddRoomAt(sf::Vector2i at)
{
    int numOfAts = 0;
    for (const DungeonRoom* room : m_DungeonRooms)
        numOfAts += room->type == PLAYERBASE;
    // The first room of a design is its base, and it has only one.
    if (numOfAts == 0 && m_CurrentRoomType != PLAYERBASE)
        return;
    if (numOfAts > 0 && m_CurrentRoomType == PLAYERBASE)
        return;

    const sf::IntRect candidate(at, RoomSize(m_CurrentRoomType));
    for (const DungeonRoom* room : m_DungeonRooms)
    {
        if (compat::Intersection(room->space, candidate))
            return;
    }
    // No room reaches past the grid's right or bottom edge.
    if (compat::Intersection(candidate, sf::IntRect({GRIDWIDTH, 0}, {1, GRIDHEIGHT})) ||
        compat::Intersection(candidate, sf::IntRect({0, GRIDHEIGHT}, {GRIDWIDTH, 1})))
        return;

    DungeonRoom* room = new DungeonRoom();
    room->type = m_CurrentRoomType;
    room->space = candidate;
    m_DungeonRooms.push_back(room);
    RefreshDungeon();
}

void RogueWindow::RemoveRoomAt(sf::Vector2i at)
{
    for (auto it = m_DungeonRooms.begin(); it != m_DungeonRooms.end(); ++it)
    {
        if ((*it)->space.contains(at))
        {
            delete *it;
            m_DungeonRooms.erase(it);
            break;
        }
    }
    RefreshDungeon();
}

void RogueWindow::RefreshDungeon()
{
    // Drawn into m_Drawn first and shown at the end: a cell the redraw
    // leaves as it was is not touched.
    std::string title;
    m_Drawn.assign(m_RogueButtons.size(), ' ');

    const size_t n = m_DungeonRooms.size();
    for (size_t i = 1; i < n; ++i)
        DrawCorridor(m_DungeonRooms[0]->space, m_DungeonRooms[i]->space);
    if (n > 3)
        DrawCorridor(m_DungeonRooms[2]->space, m_DungeonRooms[3]->space);

    // Rooms after corridors: a room hides every corridor cell inside it.
    for (const DungeonRoom* room : m_DungeonRooms)
    {
        const char mark = RoomTypeToChar(room->type);
        if (room->type != PLAYERBASE)
            title += mark;
        const int w = compat::Size(room->space).x;
        const int h = compat::Size(room->space).y;
        const int left = compat::Corner(room->space).x;
        const int top = compat::Corner(room->space).y;
        for (int y = 0; y < h; ++y)
        {
            for (int x = 0; x < w; ++x)
            {
                char c = '.';
                if (y == 0 || y == h - 1)
                    c = '-';
                else if (x == 0 || x == w - 1)
                    c = '|';
                else if (x == w / 2 && y == h / 2)
                    c = mark;
                else if (room->type == PING && x == w / 2 + 2 && y == h / 2)
                    c = '>';
                else if (room->type == PING && x == w / 2 - 2 && y == h / 2)
                    c = '<';
                else if (IsWeapon(room->type) && DRand(10, left * 12 + x * 15 + top * 34 + y) == 1)
                    c = mark;
                m_Drawn[cord(left + x, top + y)] = c;
            }
        }
    }
    for (size_t i = 0; i < m_RogueButtons.size(); ++i)
        m_RogueButtons[i]->NewChar(m_Drawn[i]);
    m_Description->SetText(title);
}

int RogueWindow::DRand(int in, int shuffle)
{
    return m_shuffledints[(in + shuffle) % m_shuffledints.size()] % in;
}

void RogueWindow::DrawCorridor(sf::IntRect startroom, sf::IntRect endroom)
{
    const sf::Vector2i start = compat::Corner(startroom);
    const sf::Vector2i startSize = compat::Size(startroom);
    const sf::Vector2i end = compat::Corner(endroom);
    const sf::Vector2i endSize = compat::Size(endroom);
    const sf::Vector2i startpoint(start.x + 1 + DRand(startSize.x - 2, start.x),
                                  start.y + 1 + DRand(startSize.y - 2, start.y));
    // Keyed on the start room's corner, not its own: a room placed elsewhere
    // still has the corridors into it land on the same cell of it.
    const sf::Vector2i endpoint(end.x + 1 + DRand(endSize.x - 2, start.x),
                                end.y + 1 + DRand(endSize.y - 2, start.y));
    const int angle = DRand(3, end.x);

    sf::Vector2i point = startpoint;
    // Each leg draws every cell it leaves; the cell it stops on is drawn by
    // the next leg, and the end point lies in the end room.
    auto horizontal = [&](int maxSteps) {
        for (int gone = 0; point.x != endpoint.x && gone != maxSteps; ++gone)
        {
            m_Drawn[cord(point.x, point.y)] = '#';
            point.x += point.x < endpoint.x ? 1 : -1;
        }
    };
    auto vertical = [&]() {
        while (point.y != endpoint.y)
        {
            m_Drawn[cord(point.x, point.y)] = '#';
            point.y += point.y < endpoint.y ? 1 : -1;
        }
    };

    if (angle == 0)
    {
        horizontal(-1);
        vertical();
    }
    else if (angle == 1)
    {
        vertical();
        horizontal(-1);
    }
    else
    {
        horizontal(std::abs(startpoint.x - endpoint.x) / 2);
        vertical();
        horizontal(-1);
    }
}
