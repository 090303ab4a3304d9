#pragma once

// The product's web site: scheme and host, no final slash.
inline constexpr char ProductWebAddress[] = "https://www.morvalen.ru";
