// Starting Qt: with a display when one is named and can be reached, otherwise without one.
#pragma once

#include <QCoreApplication>
#include <memory>

// The application object of this process; canShowDialogs tells whether it has a display.
// argc and argv must outlive it.
std::unique_ptr<QCoreApplication> startApplication(int &argc, char **argv, bool &canShowDialogs);
