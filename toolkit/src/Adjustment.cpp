#include <SFGUI/Adjustment.hpp>

#include <algorithm>
#include <cmath>

namespace sfg {

Signal::SignalID Adjustment::OnChange = Signal::AllocateID();

Adjustment::Ptr Adjustment::Create(float value, float lower, float upper, float minor_step, float major_step,
								   float page_size) {
	return Ptr(new Adjustment(value, lower, upper, minor_step, major_step, page_size));
}

Adjustment::Adjustment(float value, float lower, float upper, float minor_step, float major_step, float page_size) :
	m_value(value),
	m_lower(lower),
	m_upper(upper),
	m_minor_step(minor_step),
	m_major_step(major_step),
	m_page_size(page_size) {
	Clamp();
}

float Adjustment::GetValue() const {
	return m_value;
}

void Adjustment::SetValue(float value) {
	const float old = m_value;
	m_value = value;
	Clamp();
	if(m_value != old) {
		Changed();
	}
}

float Adjustment::GetLower() const {
	return m_lower;
}

void Adjustment::SetLower(float lower) {
	Configure(m_value, lower, m_upper, m_minor_step, m_major_step, m_page_size);
}

float Adjustment::GetUpper() const {
	return m_upper;
}

void Adjustment::SetUpper(float upper) {
	Configure(m_value, m_lower, upper, m_minor_step, m_major_step, m_page_size);
}

float Adjustment::GetMinorStep() const {
	return m_minor_step;
}

void Adjustment::SetMinorStep(float step) {
	m_minor_step = step;
}

float Adjustment::GetMajorStep() const {
	return m_major_step;
}

void Adjustment::SetMajorStep(float step) {
	m_major_step = step;
}

float Adjustment::GetPageSize() const {
	return m_page_size;
}

void Adjustment::SetPageSize(float page_size) {
	Configure(m_value, m_lower, m_upper, m_minor_step, m_major_step, page_size);
}

void Adjustment::Configure(float value, float lower, float upper, float minor_step, float major_step, float page_size) {
	const bool changed = value != m_value || lower != m_lower || upper != m_upper || page_size != m_page_size;
	const float old_value = m_value;
	m_value = value;
	m_lower = lower;
	m_upper = upper;
	m_minor_step = minor_step;
	m_major_step = major_step;
	m_page_size = page_size;
	Clamp();
	if(changed || m_value != old_value) {
		Changed();
	}
}

void Adjustment::Increment() {
	SetValue(m_value + m_minor_step);
}

void Adjustment::Decrement() {
	SetValue(m_value - m_minor_step);
}

void Adjustment::IncrementPage() {
	SetValue(m_value + m_major_step);
}

void Adjustment::DecrementPage() {
	SetValue(m_value - m_major_step);
}

Signal& Adjustment::GetSignal(Signal::SignalID id) {
	return m_signals[id];
}

void Adjustment::Clamp() {
	if(std::isnan(m_value)) {
		m_value = m_lower;
	}
	// The upper limit first, so that the lower bound wins an empty range.
	m_value = std::min(m_value, m_upper - m_page_size);
	m_value = std::max(m_value, m_lower);
}

void Adjustment::Changed() {
	auto found = m_signals.find(OnChange);
	if(found != m_signals.end()) {
		found->second();
	}
}

}
