#include <SFGUI/Table.hpp>

#include "priv/SfmlCompat.hpp"

#include <algorithm>
#include <cmath>

namespace sfg {

namespace {

// Cells beyond this are ignored rather than allocating absurd grids.
const std::uint32_t g_max_lines = 4096;

float SpacingFor(std::size_t index, float general, const std::vector<std::pair<std::size_t, float>>& specific) {
	float spacing = general;
	for(const auto& entry : specific) {
		if(entry.first == index) {
			spacing = entry.second;
		}
	}
	return spacing;
}

}

Table::Ptr Table::Create() {
	return priv::MakeShared<Table>();
}

const std::string& Table::GetName() const {
	static const std::string name("Table");
	return name;
}

void Table::Attach(Widget::Ptr widget, const sf::Rect<std::uint32_t>& rect, int x_options, int y_options,
				   const sf::Vector2f& padding) {
	const sf::Vector2<std::uint32_t> span = priv::Size(rect);
	PackInfo info;
	info.cell = sf::Rect<std::uint32_t>(priv::Corner(rect),
										{std::max<std::uint32_t>(1, span.x), std::max<std::uint32_t>(1, span.y)});
	info.x_options = x_options;
	info.y_options = y_options;
	info.padding = sf::Vector2f(std::max(0.f, padding.x), std::max(0.f, padding.y));
	AddWithInfo(widget, info);
}

void Table::SetColumnSpacings(float spacing) {
	m_general_column_spacing = std::max(0.f, spacing);
	m_column_spacing.clear();
	RequestResize();
}

void Table::SetRowSpacings(float spacing) {
	m_general_row_spacing = std::max(0.f, spacing);
	m_row_spacing.clear();
	RequestResize();
}

void Table::SetColumnSpacing(std::size_t index, float spacing) {
	m_column_spacing.emplace_back(index, std::max(0.f, spacing));
	RequestResize();
}

void Table::SetRowSpacing(std::size_t index, float spacing) {
	m_row_spacing.emplace_back(index, std::max(0.f, spacing));
	RequestResize();
}

void Table::ComputeLines() const {
	std::uint32_t columns = 0;
	std::uint32_t rows = 0;
	auto usable = [](const PackInfo& info) {
		const sf::Vector2<std::uint32_t> first = priv::Corner(info.cell);
		const sf::Vector2<std::uint32_t> span = priv::Size(info.cell);
		return first.x < g_max_lines && first.y < g_max_lines && span.x <= g_max_lines && span.y <= g_max_lines;
	};
	ForEachShownChild([&](const Widget&, const PackInfo& info) {
		if(!usable(info)) {
			return;
		}
		const sf::Vector2<std::uint32_t> end = priv::Corner(info.cell) + priv::Size(info.cell);
		columns = std::max(columns, end.x);
		rows = std::max(rows, end.y);
	});
	m_columns.assign(columns, Line());
	m_rows.assign(rows, Line());
	for(std::size_t c = 0; c < m_columns.size(); ++c) {
		m_columns[c].spacing =
			(c + 1 < m_columns.size()) ? SpacingFor(c, m_general_column_spacing, m_column_spacing) : 0.f;
	}
	for(std::size_t r = 0; r < m_rows.size(); ++r) {
		m_rows[r].spacing = (r + 1 < m_rows.size()) ? SpacingFor(r, m_general_row_spacing, m_row_spacing) : 0.f;
	}
	// Single cells first, then spanning cells spread what they still lack
	// equally over their lines.
	for(int spanning = 0; spanning < 2; ++spanning) {
		ForEachShownChild([&](const Widget& child, const PackInfo& info) {
			if(!usable(info)) {
				return;
			}
			const sf::Vector2f& requisition = child.GetRequisition();
			const sf::Vector2<std::uint32_t> first = priv::Corner(info.cell);
			const sf::Vector2<std::uint32_t> span = priv::Size(info.cell);
			auto apply = [spanning](std::vector<Line>& lines, std::uint32_t first, std::uint32_t span, float need,
									bool expand) {
				if((span > 1) != (spanning == 1)) {
					return;
				}
				float have = 0.f;
				for(std::uint32_t k = first; k < first + span; ++k) {
					have += lines[k].requisition;
					if(k + 1 < first + span) {
						have += lines[k].spacing;
					}
					lines[k].expand = lines[k].expand || expand;
				}
				if(need > have) {
					const float add = (need - have) / static_cast<float>(span);
					for(std::uint32_t k = first; k < first + span; ++k) {
						lines[k].requisition += add;
					}
				}
			};
			apply(m_columns, first.x, span.x, requisition.x + 2.f * info.padding.x, (info.x_options & EXPAND) != 0);
			apply(m_rows, first.y, span.y, requisition.y + 2.f * info.padding.y, (info.y_options & EXPAND) != 0);
		});
	}
}

sf::Vector2f Table::CalculateRequisition() const {
	ComputeLines();
	sf::Vector2f size;
	for(const auto& column : m_columns) {
		size.x += column.requisition + column.spacing;
	}
	for(const auto& row : m_rows) {
		size.y += row.requisition + row.spacing;
	}
	return size;
}

void Table::Distribute(std::vector<Line>& lines, float available) {
	float needed = 0.f;
	std::size_t expanding = 0;
	for(const auto& line : lines) {
		needed += line.requisition + line.spacing;
		if(line.expand) {
			++expanding;
		}
	}
	const float extra = std::max(0.f, available - needed);
	const float share = expanding ? extra / static_cast<float>(expanding) : 0.f;
	float position = 0.f;
	for(auto& line : lines) {
		line.allocation = line.requisition + (line.expand ? share : 0.f);
		line.position = position;
		position += line.allocation + line.spacing;
	}
}

void Table::AllocateChildren() const {
	// The lines were computed with the requisition, which is current.
	GetRequisition();
	const sf::Vector2f size = priv::Size(CurrentAllocation());
	Distribute(m_columns, size.x);
	Distribute(m_rows, size.y);
	auto place = [](const std::vector<Line>& lines, std::uint32_t first, std::uint32_t span, float padding, bool fill,
					float own, float& start, float& size) {
		const Line& last = lines[first + span - 1];
		const float cell_start = lines[first].position;
		const float cell_end = last.position + last.allocation;
		const float inner_start = cell_start + padding;
		const float inner_size = std::max(0.f, cell_end - cell_start - 2.f * padding);
		const float extent = fill ? inner_size : own;
		start = std::round(inner_start);
		size = std::round(inner_start + extent) - start;
	};
	ForEachShownChild([&](Widget& child, const PackInfo& info) {
		const sf::Vector2<std::uint32_t> first = priv::Corner(info.cell);
		const sf::Vector2<std::uint32_t> span = priv::Size(info.cell);
		if(static_cast<std::size_t>(first.x) + span.x > m_columns.size() ||
		   static_cast<std::size_t>(first.y) + span.y > m_rows.size()) {
			return;
		}
		const sf::Vector2f& requisition = child.GetRequisition();
		float x = 0.f;
		float y = 0.f;
		float width = 0.f;
		float height = 0.f;
		place(m_columns, first.x, span.x, info.padding.x, (info.x_options & FILL) != 0, requisition.x, x, width);
		place(m_rows, first.y, span.y, info.padding.y, (info.y_options & FILL) != 0, requisition.y, y, height);
		child.SetAllocation(sf::FloatRect({x, y}, {width, height}));
	});
}

}
