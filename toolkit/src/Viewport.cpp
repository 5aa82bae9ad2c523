#include <SFGUI/Viewport.hpp>

#include <cmath>

namespace sfg {

Viewport::Ptr Viewport::Create() {
	return Create(nullptr, nullptr);
}

Viewport::Ptr Viewport::Create(Adjustment::Ptr horizontal_adjustment, Adjustment::Ptr vertical_adjustment) {
	Ptr viewport(new Viewport());
	// Connections need the shared pointer, so they are made after construction.
	viewport->SetHorizontalAdjustment(horizontal_adjustment ? horizontal_adjustment : Adjustment::Create());
	viewport->SetVerticalAdjustment(vertical_adjustment ? vertical_adjustment : Adjustment::Create());
	return viewport;
}

Viewport::~Viewport() {
	if(m_horizontal_adjustment) {
		m_horizontal_adjustment->GetSignal(Adjustment::OnChange).Disconnect(m_horizontal_connection);
	}
	if(m_vertical_adjustment) {
		m_vertical_adjustment->GetSignal(Adjustment::OnChange).Disconnect(m_vertical_connection);
	}
}

const std::string& Viewport::GetName() const {
	static const std::string name("Viewport");
	return name;
}

Adjustment::Ptr Viewport::GetHorizontalAdjustment() const {
	return m_horizontal_adjustment;
}

void Viewport::SetHorizontalAdjustment(Adjustment::Ptr adjustment) {
	Watch(m_horizontal_adjustment, m_horizontal_connection, adjustment);
}

Adjustment::Ptr Viewport::GetVerticalAdjustment() const {
	return m_vertical_adjustment;
}

void Viewport::SetVerticalAdjustment(Adjustment::Ptr adjustment) {
	Watch(m_vertical_adjustment, m_vertical_connection, adjustment);
}

void Viewport::Watch(Adjustment::Ptr& slot, unsigned int& connection, Adjustment::Ptr adjustment) {
	if(!adjustment) {
		return;
	}
	if(slot) {
		slot->GetSignal(Adjustment::OnChange).Disconnect(connection);
	}
	slot = adjustment;
	const WeakPtr<Widget> self = weak_from_this();
	// Scrolling moves the drawn content only: no layout, just new batches.
	connection = slot->GetSignal(Adjustment::OnChange).Connect([self]() {
		if(const auto viewport = self.lock()) {
			viewport->Invalidate();
		}
	});
	Invalidate();
}

sf::Vector2f Viewport::CalculateRequisition() const {
	const Widget::Ptr child = GetChild();
	if(child && child->IsLocallyVisible()) {
		child->GetRequisition();
	}
	return sf::Vector2f();
}

void Viewport::AllocateChildren() const {
	const Widget::Ptr child = GetChild();
	if(child && child->IsLocallyVisible()) {
		const sf::Vector2f& requisition = child->GetRequisition();
		child->SetAllocation(sf::FloatRect(sf::Vector2f(), requisition));
	}
}

sf::Vector2f Viewport::GetChildOffset() const {
	const float x = m_horizontal_adjustment ? std::round(m_horizontal_adjustment->GetValue()) : 0.f;
	const float y = m_vertical_adjustment ? std::round(m_vertical_adjustment->GetValue()) : 0.f;
	return sf::Vector2f(-x, -y);
}

bool Viewport::ClipsChildren() const {
	return true;
}

}
