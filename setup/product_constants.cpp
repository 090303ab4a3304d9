#include "setup/product_constants.h"

const ProductIdentity& MorvalenIdentity() {
    static const ProductIdentity identity{
        "Morvalen",
        "Морвален",
        "Morvalen",
        "Морвален для Windows",
        "Morvalen for Windows",
        "1500",
        1500,
        0,
        "TMVMainForm",
        "morvalen_memfile",
        "Строка пути к папке с установленной программой обязательно должна содержать в себе слово \"Morvalen\"",
    };
    return identity;
}
