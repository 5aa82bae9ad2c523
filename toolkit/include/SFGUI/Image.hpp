#pragma once

#include <SFGUI/Widget.hpp>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>

namespace sfg {

// Shows a picture unscaled at its top-left corner. Requisition: the
// picture's size. An empty picture takes no space and draws nothing. The
// texture is made when first drawn, so images can be built without a display.
class Image : public Widget {
public:
	typedef SharedPtr<Image> Ptr;
	typedef SharedPtr<const Image> PtrConst;

	static Ptr Create(const sf::Image& image = sf::Image());

	const std::string& GetName() const override;

	// Copies the picture.
	void SetImage(const sf::Image& image);
	const sf::Image& GetImage() const;

protected:
	explicit Image(const sf::Image& image);
	sf::Vector2f CalculateRequisition() const override;
	void BuildGeometry(priv::Geometry& geometry) const override;

private:
	sf::Image m_image;
	mutable std::unique_ptr<sf::Texture> m_texture;
	mutable bool m_texture_dirty = true;
};

}
