#ifndef PELLIX_RESOURCE_TABLE_H
#define PELLIX_RESOURCE_TABLE_H

/* The one export of a resource library built by this project: a table of its
   pictures. Written in C so the generated library sources can include it. */

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/** "PXRS": marks a table as one of ours. */
#define PELLIX_RESOURCE_MAGIC 0x53525850u
/** Layout of PellixResource and PellixResourceTable. */
#define PELLIX_RESOURCE_VERSION 1u
/** Name of the exported function that hands out the table. */
#define PELLIX_RESOURCE_EXPORT_NAME "PellixResources"

/** One picture: a bitmap by name, or an icon by position. */
typedef struct PellixResource {
  const char* name;           /**< bitmap name, or NULL for an icon */
  int index;                  /**< icon position, or -1 for a bitmap */
  const unsigned char* bytes; /**< a whole PNG file */
  size_t size;                /**< its length in bytes */
} PellixResource;

/** The pictures of one library. */
typedef struct PellixResourceTable {
  unsigned magic;   /**< PELLIX_RESOURCE_MAGIC */
  unsigned version; /**< PELLIX_RESOURCE_VERSION */
  size_t count;
  const PellixResource* resources;
} PellixResourceTable;

/** Type of the exported function PellixResources. */
typedef const PellixResourceTable* (*PellixResourcesFunction)(void);

#ifdef __cplusplus
}
#endif

#endif
