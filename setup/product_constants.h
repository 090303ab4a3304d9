#pragma once
#include "common/product_identity.h"

// The compiled-in values of the one product this setup installs.
const ProductIdentity& MorvalenIdentity();
