#pragma once

#include <SFGUI/SharedPtr.hpp>
#include <SFGUI/Signal.hpp>

#include <map>

namespace sfg {

// A bounded value shared between a viewport and whoever scrolls it. The
// value is always clamped to [lower, upper - page size]; when that range is
// empty the value is `lower`. Changing any bound re-clamps the value.
class Adjustment : public std::enable_shared_from_this<Adjustment> {
public:
	typedef SharedPtr<Adjustment> Ptr;
	typedef SharedPtr<const Adjustment> PtrConst;

	static Ptr Create(float value = 0.f, float lower = 0.f, float upper = 0.f, float minor_step = 1.f,
					  float major_step = 5.f, float page_size = 0.f);

	Adjustment(const Adjustment&) = delete;
	Adjustment& operator=(const Adjustment&) = delete;

	float GetValue() const;
	void SetValue(float value);
	float GetLower() const;
	void SetLower(float lower);
	float GetUpper() const;
	void SetUpper(float upper);
	float GetMinorStep() const;
	void SetMinorStep(float step);
	float GetMajorStep() const;
	void SetMajorStep(float step);
	float GetPageSize() const;
	void SetPageSize(float page_size);
	// Sets everything at once (one change notification).
	void Configure(float value, float lower, float upper, float minor_step, float major_step, float page_size);

	// value += / -= minor step, major step.
	void Increment();
	void Decrement();
	void IncrementPage();
	void DecrementPage();

	Signal& GetSignal(Signal::SignalID id);
	// Emitted whenever the value or a bound changed.
	static Signal::SignalID OnChange;

private:
	Adjustment(float value, float lower, float upper, float minor_step, float major_step, float page_size);
	void Clamp();
	void Changed();

	float m_value;
	float m_lower;
	float m_upper;
	float m_minor_step;
	float m_major_step;
	float m_page_size;
	std::map<Signal::SignalID, Signal> m_signals;
};

}
