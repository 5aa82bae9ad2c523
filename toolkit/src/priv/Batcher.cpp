#include "priv/Batcher.hpp"

#include <SFGUI/Widget.hpp>

#include "priv/Geometry.hpp"
#include "priv/SfmlCompat.hpp"

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/View.hpp>

#include <algorithm>
#include <optional>

namespace sfg {
namespace priv {

namespace {

void AppendMoved(std::vector<sf::Vertex>& out, const std::vector<sf::Vertex>& in, sf::Vector2f offset) {
	const std::size_t start = out.size();
	out.insert(out.end(), in.begin(), in.end());
	for(std::size_t i = start; i < out.size(); ++i) {
		out[i].position += offset;
	}
}

std::vector<sf::Vertex>& BatchFor(TextureBatches& batches, const sf::Texture* texture) {
	for(auto& batch : batches) {
		if(batch.first == texture) {
			return batch.second;
		}
	}
	batches.emplace_back(texture, std::vector<sf::Vertex>());
	return batches.back().second;
}

// The textured layers of a widget's geometry and the batches of a region
// that each is merged into, in drawing order: pictures, then glyphs.
struct TexturedLayer {
	std::vector<sf::Vertex> Geometry::*vertices;
	const sf::Texture* Geometry::*texture;
	TextureBatches Region::*batches;
};

const TexturedLayer g_textured_layers[] = {{&Geometry::image, &Geometry::image_texture, &Region::images},
										   {&Geometry::glyphs, &Geometry::glyph_texture, &Region::glyphs}};

}

void Batcher::Collect(const Widget& widget, sf::Vector2f offset, WindowBatches& batches, std::size_t region) {
	if(!widget.m_visible) {
		return;
	}
	if(!widget.m_geometry) {
		widget.m_geometry.reset(new Geometry());
		widget.m_geometry_dirty = true;
	}
	Geometry& geometry = *widget.m_geometry;
	if(widget.m_geometry_dirty) {
		geometry.Clear();
		widget.BuildGeometry(geometry);
		widget.m_geometry_dirty = false;
	}
	{
		Region& target = batches.regions[region];
		if(!geometry.quads.empty()) {
			AppendMoved(target.quads, geometry.quads, offset);
		}
		for(const TexturedLayer& layer : g_textured_layers) {
			const std::vector<sf::Vertex>& vertices = geometry.*layer.vertices;
			const sf::Texture* texture = geometry.*layer.texture;
			if(!vertices.empty() && texture) {
				AppendMoved(BatchFor(target.*layer.batches, texture), vertices, offset);
			}
		}
	}
	const auto* children = widget.GetChildList();
	if(!children) {
		return;
	}
	std::size_t child_region = region;
	if(widget.ClipsChildren()) {
		const sf::FloatRect own(offset, Size(widget.m_allocation));
		sf::FloatRect clip = own;
		const Region& parent = batches.regions[region];
		if(parent.clipped) {
			const std::optional<sf::FloatRect> overlap = Intersection(parent.clip, own);
			if(!overlap) {
				return; // entirely clipped away
			}
			clip = *overlap;
		}
		batches.regions.emplace_back();
		child_region = batches.regions.size() - 1;
		batches.regions[child_region].clip = clip;
		batches.regions[child_region].clipped = true;
	}
	const sf::Vector2f base = offset + widget.GetChildOffset();
	for(const auto& child : *children) {
		if(child) {
			Collect(*child, base + Corner(child->m_allocation), batches, child_region);
		}
	}
}

WindowBatches& Batcher::Prepare(const Widget& root) {
	if(!root.m_geometry) {
		root.m_geometry.reset(new Geometry());
		root.m_geometry_dirty = true;
		root.m_render_dirty = true;
	}
	Geometry& geometry = *root.m_geometry;
	if(!geometry.batches) {
		geometry.batches.reset(new WindowBatches());
	}
	WindowBatches& batches = *geometry.batches;
	if(!root.m_render_dirty) {
		return batches;
	}
	// Keep the first region's buffers to avoid reallocating every rebuild.
	batches.regions.resize(1);
	Region& first = batches.regions[0];
	first.clipped = false;
	first.quads.clear();
	for(const TexturedLayer& layer : g_textured_layers) {
		for(auto& batch : first.*layer.batches) {
			batch.second.clear();
		}
	}
	Collect(root, sf::Vector2f(), batches, 0);
	// Collect may have grown the region list: look the first region up again.
	Region& merged = batches.regions[0];
	// Drop batches that stayed empty (a picture or font no longer shown).
	for(const TexturedLayer& layer : g_textured_layers) {
		TextureBatches& textured = merged.*layer.batches;
		textured.erase(
			std::remove_if(textured.begin(), textured.end(), [](const auto& batch) { return batch.second.empty(); }),
			textured.end());
	}
	root.m_render_dirty = false;
	return batches;
}

unsigned int Batcher::Draw(const Widget& root, sf::RenderTarget& target) {
	const WindowBatches& batches = Prepare(root);
	if(target.getSize().x == 0 || target.getSize().y == 0) {
		return 0;
	}
	const sf::Vector2f position = Corner(root.m_allocation);
	const sf::Vector2f target_size(target.getSize());
	const sf::FloatRect whole_target(sf::Vector2f(), target_size);
	const sf::View pixel_view(whole_target);
	sf::RenderStates states;
	states.transform.translate(position);
	unsigned int calls = 0;
	bool custom_view = false;
	for(const Region& region : batches.regions) {
		if(region.quads.empty() && region.images.empty() && region.glyphs.empty()) {
			continue;
		}
		if(region.clipped) {
			const sf::FloatRect clip(Corner(region.clip) + position, Size(region.clip));
			const std::optional<sf::FloatRect> visible = Intersection(clip, whole_target);
			if(!visible || Size(*visible).x < 1.f || Size(*visible).y < 1.f) {
				continue;
			}
			// Clip through the viewport: the view shows exactly the visible
			// rectangle, mapped one to one onto the same pixels.
			const sf::Vector2f corner = Corner(*visible);
			const sf::Vector2f size = Size(*visible);
			sf::View view(*visible);
			view.setViewport(sf::FloatRect({corner.x / target_size.x, corner.y / target_size.y},
										   {size.x / target_size.x, size.y / target_size.y}));
			target.setView(view);
			custom_view = true;
		}
		else if(custom_view) {
			target.setView(pixel_view);
			custom_view = false;
		}
		states.texture = nullptr;
		if(!region.quads.empty()) {
			target.draw(region.quads.data(), region.quads.size(), sf::PrimitiveType::Triangles, states);
			++calls;
		}
		for(const TexturedLayer& layer : g_textured_layers) {
			for(const auto& batch : region.*layer.batches) {
				if(!batch.second.empty()) {
					states.texture = batch.first;
					target.draw(batch.second.data(), batch.second.size(), sf::PrimitiveType::Triangles, states);
					++calls;
				}
			}
		}
	}
	if(custom_view) {
		target.setView(pixel_view);
	}
	return calls;
}

}
}
