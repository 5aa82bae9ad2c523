#pragma once

#include <SFGUI/Container.hpp>

#include <SFML/Graphics/Rect.hpp>

#include <cstdint>
#include <vector>

namespace sfg {

// A grid of cells. A column is as wide as its widest cell (child requisition
// plus padding on both sides; a spanning cell's need is spread over its
// columns), a row as tall as its tallest. Extra space goes equally to the
// columns (rows) holding an EXPAND cell. Without FILL a child keeps its
// requisition at the cell's top-left corner (after padding).
class Table : public Container {
public:
	typedef SharedPtr<Table> Ptr;
	typedef SharedPtr<const Table> PtrConst;

	enum AttachOption : int { EXPAND = 1 << 0, FILL = 1 << 1 };
	static_assert((EXPAND | FILL) == DEFAULT_TABLE_OPTIONS, "a cell given no options expands and fills");

	static Ptr Create();

	const std::string& GetName() const override;

	// rect = (column, row, column span, row span); spans of 0 count as 1.
	// padding: pixels on each side of the child within its cell.
	void Attach(Widget::Ptr widget, const sf::Rect<std::uint32_t>& rect, int x_options = EXPAND | FILL,
				int y_options = EXPAND | FILL, const sf::Vector2f& padding = sf::Vector2f(0.f, 0.f));

	// Gap between every pair of neighbouring columns / rows (default 0).
	void SetColumnSpacings(float spacing);
	void SetRowSpacings(float spacing);
	// Gap after one column / row.
	void SetColumnSpacing(std::size_t index, float spacing);
	void SetRowSpacing(std::size_t index, float spacing);

protected:
	Table() = default;
	sf::Vector2f CalculateRequisition() const override;
	void AllocateChildren() const override;

private:
	struct Line {
		float requisition = 0.f;
		float allocation = 0.f;
		float position = 0.f;
		float spacing = 0.f;
		bool expand = false;
	};

	void ComputeLines() const;
	static void Distribute(std::vector<Line>& lines, float available);

	mutable std::vector<Line> m_columns;
	mutable std::vector<Line> m_rows;
	float m_general_column_spacing = 0.f;
	float m_general_row_spacing = 0.f;
	std::vector<std::pair<std::size_t, float>> m_column_spacing;
	std::vector<std::pair<std::size_t, float>> m_row_spacing;
};

}
