#include <SFGUI/Bin.hpp>

namespace sfg {

Widget::Ptr Bin::GetChild() const {
	for(std::size_t i = 0; i < GetSlotCount(); ++i) {
		if(Widget* child = GetSlot(i)) {
			return child->shared_from_this();
		}
	}
	return nullptr;
}

bool Bin::AcceptsChild() const {
	return GetChildCount() == 0;
}

}
