#pragma once

#include <SFGUI/Container.hpp>

namespace sfg {

// A container with at most one child; further Add calls are ignored.
class Bin : public Container {
public:
	typedef SharedPtr<Bin> Ptr;
	typedef SharedPtr<const Bin> PtrConst;

	// The child, or null.
	Widget::Ptr GetChild() const;

protected:
	bool AcceptsChild() const override;
};

}
