# The product's source folders, each on its floor: a folder includes only from
# its own floor or below, so a keystroke's data flows down one way.
#
#   floor 1  expression/ coordinates/ format/   the number engine, no Qt
#   floor 2  settings/ localisation/ glyphs/
#   floor 3  widgets/
#   floor 4  windows/
#   floor 5  app/
#
# cli/ stands beside app/ but is built on the engine alone: it includes only
# from floor 1, and no Qt.
#
# The build, the floor check and the format check all read this one list, and
# the floor check fails on a folder with sources that is in none of the lists.

set(TRALTO_FLOOR_expression 1)
set(TRALTO_FLOOR_coordinates 1)
set(TRALTO_FLOOR_format 1)
set(TRALTO_FLOOR_settings 2)
set(TRALTO_FLOOR_localisation 2)
set(TRALTO_FLOOR_glyphs 2)
set(TRALTO_FLOOR_widgets 3)
set(TRALTO_FLOOR_windows 4)
set(TRALTO_FLOOR_app 5)
set(TRALTO_FLOOR_cli 5)
# The highest floor a folder may include from, where that is not its own.
set(TRALTO_REACH_cli 1)

# In floor order, as the build adds them.
set(TRALTO_PRODUCT_FOLDERS
  expression coordinates format settings localisation glyphs widgets windows app cli)
# Folders with sources that are not part of the product.
set(TRALTO_OTHER_SOURCE_FOLDERS tests bench fuzz tools)
