#include "ui/resources.h"

#include <QtGlobal>

static void initKerunaQrc()
{
    Q_INIT_RESOURCE(keruna);
}

namespace keruna {

void initResources()
{
    static const bool done = [] {
        initKerunaQrc();
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace keruna
