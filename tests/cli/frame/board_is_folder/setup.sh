mkdir folder.krv
