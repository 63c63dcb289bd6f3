#pragma once

// The script every JSON engine loads before its first use: get__count (member count without the two
// helpers added to every object), JSON.stringify and JSON.parse for script engines that have no JSON
// object of their own, toJSON on Date, String, Number and Boolean, and the helpers toJSONString and
// parseJSON on every object.
extern const char kJsonSupportScript[];
