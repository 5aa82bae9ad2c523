#include "ToolkitTestSupport.hpp"

using namespace toolkit_test;

namespace {

class SfgTableLayout : public ToolkitTest {};

sf::Rect<sf::Uint32> Cell(sf::Uint32 column, sf::Uint32 row, sf::Uint32 columns = 1, sf::Uint32 rows = 1) {
	return sf::Rect<sf::Uint32>(column, row, columns, rows);
}

TEST_F(SfgTableLayout, OptionValuesMatchTheGame) {
	EXPECT_EQ(sfg::Table::EXPAND, 1);
	EXPECT_EQ(sfg::Table::FILL, 2);
}

TEST_F(SfgTableLayout, ColumnsAreAsWideAsTheirWidestCellPlusPaddingAndSpacing) {
	auto table = sfg::Table::Create();
	auto a = Block(10, 5);
	auto b = Block(30, 8);
	auto c = Block(20, 12);
	table->Attach(a, Cell(0, 0), sfg::Table::FILL, sfg::Table::FILL);
	table->Attach(b, Cell(0, 1), sfg::Table::FILL, sfg::Table::FILL, sf::Vector2f(2.f, 1.f));
	table->Attach(c, Cell(1, 1), sfg::Table::FILL, sfg::Table::FILL);
	table->SetColumnSpacings(3.f);
	table->SetRowSpacings(4.f);
	// Columns 34 and 20, rows 5 and 12 (b: 8 + 2), plus one spacing each.
	EXPECT_EQ(table->GetRequisition(), sf::Vector2f(57.f, 21.f));
	EXPECT_EQ(a->GetAllocation(), sf::FloatRect(0.f, 0.f, 34.f, 5.f));
	EXPECT_EQ(b->GetAllocation(), sf::FloatRect(2.f, 10.f, 30.f, 10.f));
	EXPECT_EQ(c->GetAllocation(), sf::FloatRect(37.f, 9.f, 20.f, 12.f));
}

TEST_F(SfgTableLayout, ExtraSpaceGoesToExpandingColumnsAndFillIsOptional) {
	auto table = sfg::Table::Create();
	auto still = Block(10, 10);
	auto grow = Block(10, 10);
	auto loose = Block(10, 10);
	table->Attach(still, Cell(0, 0), sfg::Table::FILL, sfg::Table::FILL);
	table->Attach(grow, Cell(1, 0), sfg::Table::EXPAND | sfg::Table::FILL, sfg::Table::FILL);
	table->Attach(loose, Cell(2, 0), sfg::Table::EXPAND, sfg::Table::EXPAND);
	table->SetRequisition(sf::Vector2f(70.f, 30.f));
	table->GetAllocation();
	EXPECT_EQ(still->GetAllocation(), sf::FloatRect(0.f, 0.f, 10.f, 30.f));
	EXPECT_EQ(grow->GetAllocation(), sf::FloatRect(10.f, 0.f, 30.f, 30.f));
	// Without FILL: its own size at the cell's top-left corner.
	EXPECT_EQ(loose->GetAllocation(), sf::FloatRect(40.f, 0.f, 10.f, 10.f));
}

TEST_F(SfgTableLayout, SpanningCellsSpreadWhatTheyLack) {
	auto table = sfg::Table::Create();
	auto wide = Block(50, 10);
	auto left = Block(10, 10);
	auto right = Block(20, 10);
	table->Attach(wide, Cell(0, 0, 2, 1));
	table->Attach(left, Cell(0, 1));
	table->Attach(right, Cell(1, 1));
	EXPECT_EQ(table->GetRequisition(), sf::Vector2f(50.f, 20.f));
	EXPECT_EQ(wide->GetAllocation(), sf::FloatRect(0.f, 0.f, 50.f, 10.f));
	EXPECT_EQ(left->GetAllocation().width, 20.f);
	EXPECT_EQ(right->GetAllocation(), sf::FloatRect(20.f, 10.f, 30.f, 10.f));
}

TEST_F(SfgTableLayout, TheDesignerGridOf828Cells) {
	auto table = sfg::Table::Create();
	std::vector<sfg::Widget::Ptr> cells;
	for(sf::Uint32 x = 0; x < 46; ++x) {
		for(sf::Uint32 y = 0; y < 18; ++y) {
			auto cell = Block(9.f, 24.f);
			table->Attach(cell, Cell(x, y), sfg::Table::FILL, sfg::Table::FILL);
			cells.push_back(cell);
		}
	}
	EXPECT_EQ(table->GetRequisition(), sf::Vector2f(46.f * 9.f, 18.f * 24.f));
	const auto& last = cells[45 * 18 + 17]->GetAllocation();
	EXPECT_EQ(last, sf::FloatRect(45.f * 9.f, 17.f * 24.f, 9.f, 24.f));
	// One wider cell widens its whole column and shifts the ones after it.
	cells[3 * 18]->SetRequisition(sf::Vector2f(15.f, 24.f));
	EXPECT_EQ(cells[3 * 18 + 5]->GetAllocation().width, 15.f);
	EXPECT_EQ(cells[4 * 18]->GetAllocation().left, 4.f * 9.f + 6.f);
}

}
