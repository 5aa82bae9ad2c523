#include "Stat.h"

#include "Glob.h"
#include "World.h"

#include <string>

sfg::Window::Ptr Stat::GetPointer()
{
    return m_Window;
}

bool Stat::Init()
{
    m_Window = sfg::Window::Create(sfg::Window::Style::BACKGROUND);
    m_Window->SetTitle(" ");
    m_Window->SetPosition(sf::Vector2f(static_cast<float>(glob->resolution.x - 148), 0));
    m_Window->SetClass("stat");
    m_Window->SetRequisition(sf::Vector2f(148, 64));

    m_BoxH = sfg::Box::Create(sfg::Box::Orientation::HORIZONTAL, 0);
    m_BoxCol1 = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0);
    m_BoxCol2 = sfg::Box::Create(sfg::Box::Orientation::VERTICAL, 0);

    m_lBase = sfg::Label::Create("Enemies:");
    m_lBaseNum = sfg::Label::Create("2");
    m_lRisk = sfg::Label::Create("Risk:");
    m_lRiskNum = sfg::Label::Create("100");
    for (const sfg::Label::Ptr& label : {m_lBase, m_lRisk, m_lBaseNum, m_lRiskNum})
        label->SetClass("stat");

    m_BoxCol1->Pack(m_lBase, true, true);
    m_BoxCol1->Pack(m_lRisk, true, true);
    m_BoxCol2->Pack(m_lBaseNum, true, true);
    m_BoxCol2->Pack(m_lRiskNum, true, true);
    m_BoxH->Pack(m_BoxCol1, true, true);
    m_BoxH->Pack(m_BoxCol2, true, true);
    m_Window->Add(m_BoxH);
    return true;
}

void Stat::SetPosition(sf::Vector2f pos)
{
    m_Window->SetPosition(pos);
}

void Stat::Update()
{
    m_lRiskNum->SetText(std::to_string(glob->world->GetHumanPlayer()->m_Risk));
    m_lBaseNum->SetText(std::to_string(glob->world->GetNoOfEnemies()));
}
