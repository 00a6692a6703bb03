"""Reads what pvk export wrote with VTK's own XML reader and prints it as JSON.

Usage: read_vtk.py COLLECTION.pvd

For every data set of the collection: its time, points, cells and arrays, and for each cell
whether VTK finds its faces turned outwards (solids) and its mid-side points halfway along
its edges (quadratic cells). Values that are not finite print as null. Exits non-zero when
VTK reports an error.
"""
import json
import math
import os
import sys
import xml.etree.ElementTree as ElementTree

from vtkmodules.vtkCommonCore import vtkCommand
from vtkmodules.vtkIOXML import vtkXMLUnstructuredGridReader


def number(x):
    return x if math.isfinite(x) else None


def corners(face):
    # Triangles (linear or quadratic) have 3 corners, the quadrilaterals 4.
    return 3 if face.GetCellType() in (5, 22) else 4


def centre(points):
    return [sum(p[i] for p in points) / len(points) for i in range(3)]


def faces_outward(cell):
    if cell.GetCellDimension() != 3:
        return None
    pts = cell.GetPoints()
    middle = centre([pts.GetPoint(i) for i in range(cell.GetNumberOfPoints())])
    for f in range(cell.GetNumberOfFaces()):
        face = cell.GetFace(f)
        ring = [face.GetPoints().GetPoint(i) for i in range(corners(face))]
        normal = [0.0, 0.0, 0.0]
        for a, b in zip(ring, ring[1:] + ring[:1]):
            normal = [normal[0] + a[1] * b[2] - a[2] * b[1], normal[1] + a[2] * b[0] - a[0] * b[2],
                      normal[2] + a[0] * b[1] - a[1] * b[0]]
        out = [c - m for c, m in zip(centre(ring), middle)]
        if sum(n * o for n, o in zip(normal, out)) <= 0:
            return False
    return True


def mid_sides_halfway(cell):
    if cell.IsLinear():
        return None
    for e in range(cell.GetNumberOfEdges()):
        p = cell.GetEdge(e).GetPoints()
        a, b, m = p.GetPoint(0), p.GetPoint(1), p.GetPoint(2)
        if any(abs((a[i] + b[i]) / 2 - m[i]) > 1e-9 * (1 + abs(m[i])) for i in range(3)):
            return False
    return True


def arrays(data):
    out = {}
    for i in range(data.GetNumberOfArrays()):
        a = data.GetAbstractArray(i)
        n = a.GetNumberOfComponents()
        names = [a.GetComponentName(c) for c in range(n)] if a.HasAComponentName() else []
        values = [number(a.GetComponent(t, c)) for t in range(a.GetNumberOfTuples()) for c in range(n)]
        out[a.GetName()] = {"components": n, "names": names, "values": values}
    return out


def read(path):
    reader = vtkXMLUnstructuredGridReader()
    errors = []
    reader.AddObserver(vtkCommand.ErrorEvent, lambda obj, event: errors.append(event))
    reader.SetFileName(path)
    reader.Update()
    grid = reader.GetOutput()
    if errors or grid is None:
        sys.exit("VTK could not read " + path)
    cells = []
    for c in range(grid.GetNumberOfCells()):
        cell = grid.GetCell(c)
        ids = cell.GetPointIds()
        cells.append({"type": grid.GetCellType(c),
                      "points": [ids.GetId(k) for k in range(ids.GetNumberOfIds())],
                      "outward": faces_outward(cell), "halfway": mid_sides_halfway(cell)})
    return {"points": [list(grid.GetPoint(p)) for p in range(grid.GetNumberOfPoints())],
            "cells": cells, "point_data": arrays(grid.GetPointData()),
            "cell_data": arrays(grid.GetCellData())}


def main():
    collection = sys.argv[1]
    folder = os.path.dirname(collection)
    steps = []
    for data_set in ElementTree.parse(collection).getroot().iter("DataSet"):
        step = read(os.path.join(folder, data_set.get("file")))
        step["time"] = float(data_set.get("timestep"))
        step["file"] = data_set.get("file")
        steps.append(step)
    json.dump({"steps": steps}, sys.stdout)


main()
