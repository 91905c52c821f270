#include "ui/program.h"

namespace tarnwick {

Program::Program(const QStringList& arguments)
    : fHaupt(arguments), fOptionen(fHaupt), fEnde(fHaupt) {
  fHaupt.SetWindows(fOptionen, fEnde);
}

}  // namespace tarnwick
