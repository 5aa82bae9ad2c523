#pragma once

#include <memory>
#include <utility>

namespace sfg {

// Widgets are always owned through shared pointers; a container holds shared
// references to its children. A child knows its parent by a plain pointer,
// which owns nothing and which the container clears when it lets the child
// go or is destroyed; GetParent() makes a shared pointer from it.
template <typename T>
using SharedPtr = std::shared_ptr<T>;

template <typename T>
using WeakPtr = std::weak_ptr<T>;

namespace priv {

// A widget made together with its reference count, in one allocation, from a
// constructor that only the class and its heirs may call.
template <typename T, typename... Args>
SharedPtr<T> MakeShared(Args&&... args) {
	struct Made : T {
		explicit Made(Args&&... a) :
			T(std::forward<Args>(a)...) {
		}
	};
	return std::make_shared<Made>(std::forward<Args>(args)...);
}

}

// Downcast helpers, e.g. DynamicPointerCast<sfg::Button>(widget).
template <typename T, typename U>
SharedPtr<T> DynamicPointerCast(const SharedPtr<U>& pointer) {
	return std::dynamic_pointer_cast<T>(pointer);
}

template <typename T, typename U>
SharedPtr<T> StaticPointerCast(const SharedPtr<U>& pointer) {
	return std::static_pointer_cast<T>(pointer);
}

}
