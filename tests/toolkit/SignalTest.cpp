#include <SFGUI/Signal.hpp>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

TEST(SfgSignal, HandlersRunInConnectionOrderAndDisconnectByID) {
	sfg::Signal signal;
	std::vector<int> order;
	const unsigned int first = signal.Connect([&order]() { order.push_back(1); });
	const unsigned int second = signal.Connect([&order]() { order.push_back(2); });
	signal.Connect([&order]() { order.push_back(3); });
	EXPECT_NE(first, second);
	EXPECT_NE(first, 0u);
	signal();
	EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
	signal.Disconnect(second);
	signal.Disconnect(12345); // unknown: ignored
	order.clear();
	signal();
	EXPECT_EQ(order, (std::vector<int>{1, 3}));
}

TEST(SfgSignal, ChangesDuringEmissionAreSafe) {
	sfg::Signal signal;
	std::vector<int> order;
	unsigned int later = 0;
	signal.Connect([&]() {
		order.push_back(1);
		signal.Disconnect(later); // not run this time
		signal.Connect([&order]() { order.push_back(4); }); // runs from the next emission
	});
	later = signal.Connect([&order]() { order.push_back(2); });
	signal();
	EXPECT_EQ(order, (std::vector<int>{1}));
}

TEST(SfgSignal, AHandlerMayDestroyTheSignal) {
	auto signal = std::make_unique<sfg::Signal>();
	int runs = 0;
	signal->Connect([&]() {
		++runs;
		signal.reset();
	});
	(*signal)();
	EXPECT_EQ(runs, 1);
	EXPECT_FALSE(signal);
}

}
