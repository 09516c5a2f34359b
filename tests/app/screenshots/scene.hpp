#pragma once
// A picture for `make screenshots`: each window's file in this folder registers the scenes it
// wants drawn. A scene builds a widget (with its model set up as the picture should show it);
// the program shows it under the offscreen platform, lets it settle and writes
// <name>.png with QWidget::grab.

#include <QWidget>

#include <functional>
#include <memory>

#include "support/app_test_env.hpp"

namespace qdx::test {

using TSceneFn = std::function<std::unique_ptr<QWidget>(TAppTestEnv& env)>;

struct RegisterScene {
    RegisterScene(const char* name, TSceneFn make);
};

}  // namespace qdx::test
