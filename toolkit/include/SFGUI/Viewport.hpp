#pragma once

#include <SFGUI/Adjustment.hpp>
#include <SFGUI/Bin.hpp>

namespace sfg {

// Shows its child at the child's full requisition, offset by minus the
// rounded values of the adjustments and clipped to the viewport. The
// viewport's own requisition is 0 x 0 unless requested. The adjustments'
// bounds are left to the caller.
class Viewport : public Bin {
public:
	typedef SharedPtr<Viewport> Ptr;
	typedef SharedPtr<const Viewport> PtrConst;

	// Creates fresh adjustments (all zero) when none are given.
	static Ptr Create();
	static Ptr Create(Adjustment::Ptr horizontal_adjustment, Adjustment::Ptr vertical_adjustment);

	~Viewport() override;

	const std::string& GetName() const override;

	Adjustment::Ptr GetHorizontalAdjustment() const;
	void SetHorizontalAdjustment(Adjustment::Ptr adjustment);
	Adjustment::Ptr GetVerticalAdjustment() const;
	void SetVerticalAdjustment(Adjustment::Ptr adjustment);

protected:
	Viewport() = default;
	sf::Vector2f CalculateRequisition() const override;
	void AllocateChildren() const override;
	sf::Vector2f GetChildOffset() const override;
	bool ClipsChildren() const override;

private:
	void Watch(Adjustment::Ptr& slot, unsigned int& connection, Adjustment::Ptr adjustment);

	Adjustment::Ptr m_horizontal_adjustment;
	Adjustment::Ptr m_vertical_adjustment;
	unsigned int m_horizontal_connection = 0;
	unsigned int m_vertical_connection = 0;
};

}
