#!/usr/bin/python3
"""Writes the small library-written drawings used by the DXF tests (needs python3-ezdxf)."""
import ezdxf

LAND = [(1000.0, 2000.0), (1040.5, 2001.25), (1045.0, 2030.0), (1020.0, 2045.75), (998.0, 2028.0)]
BUILDINGS = [
    [(1005.0, 2005.0), (1015.0, 2005.0), (1015.0, 2015.0), (1005.0, 2015.0)],
    [(1025.0, 2010.0), (1035.0, 2010.0), (1035.0, 2018.0), (1025.0, 2018.0)],
]
NEIGHBOUR = [(1050.0, 2000.0), (1080.0, 2000.0), (1080.0, 2030.0), (1050.0, 2030.0)]
LAST = [(1010.0, 2025.0), (1016.0, 2025.0), (1018.0, 2030.0), (1016.0, 2035.0), (1010.0, 2035.0), (1008.0, 2030.0)]


def fill(doc, lightweight):
    msp = doc.modelspace()
    for name in ("TEREN", "CONSTRUCTII", "VECINI", "TEXT"):
        doc.layers.add(name)
    block = doc.blocks.new(name="SIMBOL")
    add = (lambda space, pts, layer, closed: space.add_lwpolyline(pts, close=closed, dxfattribs={"layer": layer})) \
        if lightweight else \
        (lambda space, pts, layer, closed: space.add_polyline2d(pts, close=closed, dxfattribs={"layer": layer}))
    add(block, [(0, 0), (1, 0), (1, 1)], "0", True)
    add(msp, LAND, "TEREN", True)
    msp.add_line((0, 0), (10, 10), dxfattribs={"layer": "VECINI"})
    msp.add_text("C1", dxfattribs={"layer": "TEXT", "insert": (1008, 2008)})
    for pts in BUILDINGS:
        add(msp, pts, "CONSTRUCTII", True)
    add(msp, [(1, 1), (2, 2), (3, 1)], "VECINI", False)
    msp.add_circle((1060, 2010), 3, dxfattribs={"layer": "VECINI"})
    msp.add_blockref("SIMBOL", (1030, 2030))
    add(msp, NEIGHBOUR, "VECINI", True)
    add(msp, LAST, "CONSTRUCTII", True)


for version, name, lightweight in (("R2000", "parcels_r2000.dxf", True), ("R12", "parcels_r12.dxf", False)):
    doc = ezdxf.new(version)
    fill(doc, lightweight)
    doc.saveas(name)
