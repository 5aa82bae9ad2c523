#include <SFGUI/Image.hpp>

#include "priv/Geometry.hpp"

namespace sfg {

Image::Ptr Image::Create(const sf::Image& image) {
	return priv::MakeShared<Image>(image);
}

Image::Image(const sf::Image& image) :
	m_image(image) {
}

const std::string& Image::GetName() const {
	static const std::string name("Image");
	return name;
}

void Image::SetImage(const sf::Image& image) {
	m_image = image;
	m_texture_dirty = true;
	RequestResize();
	Invalidate();
}

const sf::Image& Image::GetImage() const {
	return m_image;
}

sf::Vector2f Image::CalculateRequisition() const {
	const sf::Vector2u size = m_image.getSize();
	return sf::Vector2f(static_cast<float>(size.x), static_cast<float>(size.y));
}

void Image::BuildGeometry(priv::Geometry& geometry) const {
	const sf::Vector2u size = m_image.getSize();
	if(size.x == 0 || size.y == 0) {
		return;
	}
	if(m_texture_dirty || !m_texture) {
		// Made here, on first draw, so images can be built without a display.
		if(!m_texture) {
			m_texture.reset(new sf::Texture());
		}
		if(!m_texture->loadFromImage(m_image)) {
			return;
		}
		m_texture_dirty = false;
	}
	const sf::FloatRect rect({0.f, 0.f}, sf::Vector2f(size));
	priv::AppendQuad(geometry.image, rect, sf::Color::White, rect);
	geometry.image_texture = m_texture.get();
}

}
