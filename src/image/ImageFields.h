#pragma once
// The table of every setting's field in the configuration image, in the order
// in which the encoder writes and checks them. The decoder reads the same rows
// in the same order.

#include <vector>

#include "image/ImageField.h"

namespace tarnvik {

const std::vector<ImageField>& ImageFields();

}  // namespace tarnvik
