#pragma once

// Every widget class.
#include <SFGUI/Adjustment.hpp>
#include <SFGUI/Bin.hpp>
#include <SFGUI/Box.hpp>
#include <SFGUI/Button.hpp>
#include <SFGUI/Container.hpp>
#include <SFGUI/Fixed.hpp>
#include <SFGUI/Image.hpp>
#include <SFGUI/Label.hpp>
#include <SFGUI/Table.hpp>
#include <SFGUI/Viewport.hpp>
#include <SFGUI/Widget.hpp>
#include <SFGUI/Window.hpp>
