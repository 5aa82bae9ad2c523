#pragma once

#include <SFGUI/Widget.hpp>

#include <SFML/System/String.hpp>

namespace sfg {

// A clickable box with a centred text. Requisition: the text's size plus the
// theme's Padding on each side. Drawn differently when normal, prelight
// (pointer over it) and active (pressed). A click on a button does not also
// count as a click on the containers around it.
class Button : public Widget {
public:
	typedef SharedPtr<Button> Ptr;
	typedef SharedPtr<const Button> PtrConst;

	static Ptr Create(const sf::String& label = sf::String());

	const std::string& GetName() const override;

	// Setting the label it already shows costs a comparison and changes nothing.
	void SetLabel(const sf::String& label);
	const sf::String& GetLabel() const;

protected:
	explicit Button(const sf::String& label);
	sf::Vector2f CalculateRequisition() const override;
	void BuildGeometry(priv::Geometry& geometry) const override;
	void HandleMouseEnter(int x, int y) override;
	void HandleMouseLeave(int x, int y) override;
	void HandleMouseButtonEvent(sf::Mouse::Button button, bool press, int x, int y) override;
	bool TakesClickAlone() const override;

private:
	sf::String m_label;
};

}
