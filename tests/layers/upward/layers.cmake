# Two layers: high links low. low/Low.h includes high/High.h, which goes up.
set(DORVEL_LAYERS "low;high")
set(DORVEL_LAYER_FOLDERS_low "low")
set(DORVEL_LAYER_BELOW_low "")
set(DORVEL_LAYER_FOLDERS_high "high")
set(DORVEL_LAYER_BELOW_high "low")
