/* Links a DLL that holds resources and nothing else: the one output section is .rsrc.
   GNU ld's default script would add start-up lists in .text, an empty export table
   and an empty import table even when no code is linked. An empty .reloc is kept so
   that the image is not marked "relocations stripped" and can load at any address. */
SECTIONS
{
  .rsrc __image_base__ + __section_alignment__ : { *(.rsrc) *(SORT(.rsrc$*)) }
  .reloc BLOCK(__section_alignment__) : { *(.reloc) }
  /DISCARD/ : { *(*) }
}
