#pragma once

/// How text lines up in its space.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
