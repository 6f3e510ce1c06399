#include "app/Random15.h"

Random15& Random15::Shared() {
  static Random15 instance;
  return instance;
}
