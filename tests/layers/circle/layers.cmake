# One layer of two folders that include each other.
set(DORVEL_LAYERS "pair")
set(DORVEL_LAYER_FOLDERS_pair "a;b")
set(DORVEL_LAYER_BELOW_pair "")
