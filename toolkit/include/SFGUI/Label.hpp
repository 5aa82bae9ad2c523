#pragma once

#include <SFGUI/Widget.hpp>

#include <SFML/System/String.hpp>

namespace sfg {

namespace priv {
struct TextLayout;
}

// A piece of text in the theme's font.
// Requisition: widest line x (lines x line height); a trailing line break adds
// no line; tabs count as spaces up to the next multiple of 4 columns.
// Without line wrap the text block is centred in the label. With line wrap
// the requisition's width is 0 (plus any requested minimum), the text starts
// at the top-left and wraps at spaces to the label's width (a word longer
// than the width is broken between characters); the requisition's height is
// the wrapped height at the label's current width (its requested width before
// it was ever laid out), current right after SetText.
class Label : public Widget {
public:
	typedef SharedPtr<Label> Ptr;
	typedef SharedPtr<const Label> PtrConst;

	static Ptr Create(const sf::String& text = sf::String());

	~Label() override;

	const std::string& GetName() const override;

	// Setting the text it already shows costs a comparison and changes nothing.
	void SetText(const sf::String& text);
	const sf::String& GetText() const;

	// Off by default.
	void SetLineWrap(bool wrap);
	bool GetLineWrap() const;

	// The text as drawn: tabs expanded and, with line wrap, broken into lines.
	sf::String GetWrappedText() const;

protected:
	explicit Label(const sf::String& text);
	sf::Vector2f CalculateRequisition() const override;
	void HandleSizeChange(const sf::Vector2f& old_size) const override;
	void BuildGeometry(priv::Geometry& geometry) const override;

private:
	float GetWrapWidth() const;
	// The text laid out for the current font and wrap width (cached).
	const priv::TextLayout& GetLayout() const;

	// First: it fits in what the base class leaves unused at its end.
	bool m_wrap = false;
	// Once laid out without wrapping, the shared layout's copy.
	mutable std::shared_ptr<const sf::String> m_text;
	// Without wrapping, shared with every label showing the same text in
	// the same font (see priv::SharedLayout); made lazily.
	mutable std::shared_ptr<const priv::TextLayout> m_layout;
};

}
