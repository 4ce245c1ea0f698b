#pragma once

/// How a file is opened: the view type a command asks for, or the one the
/// file-type table gives its extension. Every value not named here opens the
/// text viewer; a negative request takes the type from the table. A
/// signed 16-bit number, as the table's ViewType field.
using TViewType = short;

/// The type the file-type table gives the file's extension (any negative value means it).
inline constexpr TViewType vwByFileType = -1;
/// The desktop's own program for the file; the text viewer when there is none.
inline constexpr TViewType vwShellOpen = 1;
/// The byte viewer (viewer-program slot 1).
inline constexpr TViewType vwByteViewer = 2;
/// The text viewer (slot 5).
inline constexpr TViewType vwTextViewer = 3;
/// The image viewer (slot 4).
inline constexpr TViewType vwImageViewer = 4;
/// The file itself, started as a program.
inline constexpr TViewType vwRunFile = 6;
/// The CD player (slot 2), started without the file.
inline constexpr TViewType vwCDPlayer = 7;
